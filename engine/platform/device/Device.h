#pragma once
// The drawing device: a back buffer, textures and a vertex buffer made on
// it, the states of one texture stage, and triangle fans of transformed
// vertices rasterised in software. Made by Direct3D::CreateDevice.
//
// A frame, as the engine draws it:
//   Clear(0xFF000000); BeginScene();
//   per quad: lock the vertex buffer, write four TransformedVertex (left,
//     top), (right, top), (right, bottom), (left, bottom) with positions
//     shifted by -0.5 (so texel centres land on pixel centres), unlock; set
//     the states; SetTexture(0, texture); SetFVF(kFvfTransformedDiffuseTex1);
//     SetStreamSource(0, buffer, 0, kTransformedVertexStride);
//     DrawPrimitive(PrimitiveType::TriangleFan, 0, 2);
//   EndScene(); Present();
//
// Loss. Once the backend reports the device lost, TestCooperativeLevel says
// so for the rest of this device's life: a lost device is never reset, it
// is replaced by a new one from Direct3D::CreateDevice (release its
// textures and vertex buffers first; they cannot be drawn by another
// device). While lost, Clear, DrawPrimitive and Present change nothing and
// return DeviceLost, and new textures cannot be made; states, scenes and
// the locks of existing resources go on working, so the caller's
// bookkeeping stays valid.
//
// Used from one thread (the window's).

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/PipelineState.h"
#include "engine/platform/device/Texture.h"
#include "engine/platform/device/VertexBuffer.h"
#include "engine/platform/device/raster/FrameBuffer.h"
#include "engine/platform/device/raster/QuadRasteriser.h"

namespace platform {

template <typename T>
concept DeviceStateValue = std::is_enum_v<T> || std::is_same_v<T, bool>;

class Device {
  struct Key {};  // only Direct3D makes devices

 public:
  static constexpr uint32_t kMaxBackBufferSize = 4096;

  Device(Key, std::shared_ptr<DeviceBackend> backend, const PresentParameters& params);
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  ~Device();

  // Ok while the device works; DeviceLost, or DeviceNotReset once it may be
  // re-created, after it was lost.
  Result TestCooperativeLevel() const;
  const PresentParameters& GetPresentParameters() const { return params; }

  // A texture of one level, dynamic, `width` x `height` texels of `format`
  // (A8R8G8B8 or X8R8G8B8), all bytes zero. The caller rounds sizes up: a
  // size that is zero, not a power of two or above Texture::kMaxSize is
  // InvalidCall, as is another format. OutOfVideoMemory when the backend's
  // budget cannot hold the texture (nothing is made then; releasing
  // textures gives their bytes back). DeviceLost while lost.
  Result CreateTexture(uint32_t width, uint32_t height, Format format,
                       std::shared_ptr<Texture>* texture);
  // A system-memory buffer of `lengthBytes` (more than zero) for vertices of
  // `fvf`, which must be kFvfTransformedDiffuseTex1. Works while lost.
  Result CreateVertexBuffer(uint32_t lengthBytes, uint32_t fvf,
                            std::shared_ptr<VertexBuffer>* buffer);

  // States (see DeviceTypes.h for each one's values and default). A value
  // the state does not take is InvalidCall and leaves the state as it was.
  Result SetRenderState(RenderState state, uint32_t value) {
    return pipeline.SetRenderState(state, value);
  }
  uint32_t GetRenderState(RenderState state) const { return pipeline.GetRenderState(state); }
  Result SetTextureStageState(uint32_t stage, TextureStageState state, uint32_t value) {
    return pipeline.SetTextureStageState(stage, state, value);
  }
  Result SetSamplerState(uint32_t sampler, SamplerState state, uint32_t value) {
    return pipeline.SetSamplerState(sampler, state, value);
  }
  // The same with a value enum (Blend::SrcAlpha, Cull::None, ...) or a bool.
  template <DeviceStateValue T>
  Result SetRenderState(RenderState state, T value) {
    return SetRenderState(state, static_cast<uint32_t>(value));
  }
  template <DeviceStateValue T>
  Result SetTextureStageState(uint32_t stage, TextureStageState state, T value) {
    return SetTextureStageState(stage, state, static_cast<uint32_t>(value));
  }
  template <DeviceStateValue T>
  Result SetSamplerState(uint32_t sampler, SamplerState state, T value) {
    return SetSamplerState(sampler, state, static_cast<uint32_t>(value));
  }

  // Binds `texture` (null unbinds: texels then read as opaque white) to
  // stage 0 and holds a reference to it until it is replaced. Another stage,
  // or a texture made by another device: InvalidCall.
  Result SetTexture(uint32_t stage, std::shared_ptr<Texture> texture);
  // The vertex format of the draws; only kFvfTransformedDiffuseTex1 is
  // drawn, anything else is InvalidCall.
  Result SetFVF(uint32_t fvf);
  // Binds `buffer` (null unbinds) as stream 0, vertices starting
  // `offsetBytes` in and `strideBytes` apart; the stride must be
  // kTransformedVertexStride. Another stream, or a buffer made by another
  // device: InvalidCall.
  Result SetStreamSource(uint32_t stream, std::shared_ptr<VertexBuffer> buffer,
                         uint32_t offsetBytes, uint32_t strideBytes);

  // The rectangle draws and clears are clipped to; it must lie within the
  // back buffer and have 0 <= MinZ <= MaxZ <= 1, else InvalidCall. Starts as
  // the whole back buffer.
  Result SetViewport(const Viewport& viewport);
  Viewport GetViewport() const { return viewport; }

  // Fills the viewport with `argb` (there is no depth or stencil buffer).
  // Allowed inside and outside a scene. DeviceLost while lost.
  Result Clear(uint32_t argb);
  // Scenes do not nest: BeginScene inside one, or EndScene outside one, is
  // InvalidCall.
  Result BeginScene();
  Result EndScene();
  // Draws `primitiveCount` triangles of a fan from the bound stream,
  // starting at vertex `startVertex`, with the bound texture and the
  // states. InvalidCall outside a scene, for a count of zero, a type other
  // than TriangleFan, no stream or the wrong vertex format, a vertex buffer
  // or texture that is locked, vertices past the end of the buffer, or
  // states the device does not draw (PipelineState::Resolve). DeviceLost
  // while lost. A fan with a vertex that is not finite draws nothing (Ok).
  Result DrawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t primitiveCount);
  // Hands the back buffer to the backend to be shown; the back buffer keeps
  // its pixels. InvalidCall inside a scene, DeviceLost while lost.
  Result Present();

  // The back buffer as drawn so far, for tests and screenshots.
  const raster::FrameBuffer& BackBuffer() const { return frame; }
  // The device's identity, which its textures and buffers carry.
  uint64_t Serial() const { return serial; }

 private:
  friend class Direct3D;
  bool IsLost() const { return TestCooperativeLevel() != Result::Ok; }

  std::shared_ptr<DeviceBackend> backend;
  PresentParameters params;
  uint64_t serial;
  uint64_t lossEpoch;
  raster::FrameBuffer frame;
  PipelineState pipeline;
  Viewport viewport;
  std::shared_ptr<Texture> texture;
  std::shared_ptr<VertexBuffer> stream;
  uint32_t streamOffset = 0;
  uint32_t streamStride = 0;
  uint32_t fvf = 0;
  bool inScene = false;
  raster::QuadRasteriser quads;
  std::vector<TransformedVertex> vertices;  // the fan being drawn
};

}  // namespace platform
