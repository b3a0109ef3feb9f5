#pragma once
// The values the device service speaks: result codes, pixel formats, the
// render, texture-stage and sampler states with their values, and the plain
// records passed in and out (viewport, display mode, presentation
// parameters, level description, locked rectangle, the one vertex layout).
//
// Colours are 32-bit ARGB words 0xAARRGGBB. In memory a pixel is that word
// in the machine's little-endian order, so its bytes are B, G, R, A.

#include <cstdint>
#include <type_traits>

namespace platform {

// What every fallible device operation returns. Expected failures are
// values; only programmer errors that cannot be reported this way assert.
enum class Result : uint32_t {
  Ok,
  // The call is not valid in this state or with these arguments (for
  // example a draw outside a scene, a locked resource, a size that is not a
  // power of two, a state value the device does not implement).
  InvalidCall,
  // Creating a texture would pass the video-memory budget.
  OutOfVideoMemory,
  // The device is lost; it must be re-created through the Direct3D object.
  DeviceLost,
  // The device is lost, and the loss is over: it can be re-created now.
  DeviceNotReset,
  // There is nothing to create the object on (no display, no window).
  NotAvailable,
};

constexpr bool Succeeded(Result r) { return r == Result::Ok; }

// 32 bits per pixel, bytes B, G, R, A. X8R8G8B8 ignores the fourth byte
// when sampling: its texels count as opaque.
enum class Format : uint32_t {
  Unknown = 0,
  A8R8G8B8 = 21,
  X8R8G8B8 = 22,
};

enum class PrimitiveType : uint32_t {
  TriangleFan = 6,
};

// The one vertex layout the device draws: a position already in back-buffer
// pixels (pixel centres at whole coordinates), a diffuse ARGB colour and
// one set of texture coordinates.
struct TransformedVertex {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;    // no depth buffer: ignored
  float rhw = 1.0f;  // taken as 1: coordinates are interpolated without perspective
  uint32_t diffuse = 0xFFFFFFFFu;
  float u = 0.0f;
  float v = 0.0f;
};
static_assert(sizeof(TransformedVertex) == 28);
static_assert(std::is_trivially_copyable_v<TransformedVertex>);

// The flexible-vertex-format code of TransformedVertex: transformed position
// (0x004), diffuse colour (0x040) and one texture-coordinate set (0x100).
inline constexpr uint32_t kFvfTransformedDiffuseTex1 = 0x144;
inline constexpr uint32_t kTransformedVertexStride = sizeof(TransformedVertex);

// The render states the device knows. Each is set with a 32-bit value: a
// bool (0 or 1), a mask, or one of the value enums below. The comment gives
// the default and what the rasteriser does with it.
enum class RenderState : uint32_t {
  AlphaBlendEnable,          // false; true blends with SrcBlend and DestBlend
  SrcBlend,                  // Blend::One
  DestBlend,                 // Blend::Zero
  BlendOp,                   // BlendOp::Add (the only one drawn)
  SeparateAlphaBlendEnable,  // false (true is refused at draw time)
  AlphaTestEnable,           // false (true is refused at draw time)
  ColorWriteEnable,          // 0xF: bit 0 red, 1 green, 2 blue, 3 alpha
  CullMode,                  // Cull::CounterClockwise
  ShadeMode,                 // Shade::Gouraud
  FillMode,                  // Fill::Solid (the only one drawn)
  FogEnable,                 // false (true is refused at draw time)
  ZWriteEnable,              // true; there is no depth buffer, so no effect
  Lighting,                  // true; transformed vertices are never lit, so no effect
};

enum class Blend : uint32_t {
  Zero = 1,
  One = 2,
  SrcAlpha = 5,
  InvSrcAlpha = 6,
};

enum class BlendOp : uint32_t {
  Add = 1,
};

// Which winding is thrown away. Winding is as seen on screen (y down), so
// the fan (left, top), (right, top), (right, bottom) is clockwise.
enum class Cull : uint32_t {
  None = 1,
  Clockwise = 2,
  CounterClockwise = 3,
};

// Flat gives each fan triangle i (vertices 0, i + 1, i + 2) the colour of
// vertex i + 1; Gouraud interpolates the diffuse colour.
enum class Shade : uint32_t {
  Flat = 1,
  Gouraud = 2,
};

enum class Fill : uint32_t {
  Point = 1,
  Wireframe = 2,
  Solid = 3,
};

// Texture stage 0, the only stage. Its colour and alpha results are each
// one argument, or the product of the texel and the diffuse colour.
enum class TextureStageState : uint32_t {
  ColorOp,    // TextureOp::Modulate
  ColorArg1,  // TextureArg::Texture
  ColorArg2,  // TextureArg::Current
  AlphaOp,    // TextureOp::SelectArg1
  AlphaArg1,  // TextureArg::Texture
  AlphaArg2,  // TextureArg::Current
};

// Disable on stage 0 passes the diffuse colour (or alpha) through.
enum class TextureOp : uint32_t {
  Disable = 1,
  SelectArg1 = 2,
  SelectArg2 = 3,
  Modulate = 4,
};

// Current is the previous stage's result; on stage 0 that is the diffuse
// colour. With no texture bound, Texture reads as opaque white.
enum class TextureArg : uint32_t {
  Diffuse = 0,
  Current = 1,
  Texture = 2,
};

enum class SamplerState : uint32_t {
  MagFilter,  // Filter::Point
  MinFilter,  // Filter::Point
  MipFilter,  // Filter::None; textures have one level, so no effect
};

enum class Filter : uint32_t {
  None = 0,
  Point = 1,
  Linear = 2,
};

// The rectangle of the back buffer that draws and clears are clipped to.
// Transformed vertices are already in back-buffer pixels: the viewport does
// not move them, it only clips.
struct Viewport {
  uint32_t X = 0;
  uint32_t Y = 0;
  uint32_t Width = 0;
  uint32_t Height = 0;
  float MinZ = 0.0f;
  float MaxZ = 1.0f;

  friend bool operator==(const Viewport&, const Viewport&) = default;
};

struct DisplayMode {
  uint32_t Width = 0;
  uint32_t Height = 0;
  uint32_t RefreshRate = 0;  // Hz; 0 when the display does not say
  Format format = Format::Unknown;
};

// What a device is created with. Only the back-buffer size and format and
// the windowed flag change what the device does; the rest is kept so the
// caller can read back what it asked for.
struct PresentParameters {
  uint32_t BackBufferWidth = 0;
  uint32_t BackBufferHeight = 0;
  Format BackBufferFormat = Format::A8R8G8B8;
  uint32_t BackBufferCount = 1;
  bool Windowed = true;
  uint32_t FullScreenRefreshRate = 0;  // Hz, full screen only
  uint32_t PresentationInterval = 0;
};

// The description of a texture level.
struct SurfaceDesc {
  Format format = Format::Unknown;
  uint32_t Width = 0;
  uint32_t Height = 0;
};

// A locked texture level: its first pixel and the distance in bytes from
// one row to the next (at least Width x 4; callers must step by it).
struct LockedRect {
  int32_t Pitch = 0;
  void* pBits = nullptr;
};

}  // namespace platform
