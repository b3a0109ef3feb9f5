#pragma once
// What one draw needs to know, resolved from the device's states and bound
// texture before any pixel is touched: where the texels are, how a texel
// and the diffuse colour combine, how the result meets the frame, the
// filters, the culling and the clip rectangle.

#include <cstdint>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/geometry/Rect.h"

namespace platform::raster {

// Texels row after row, `pitch` texels apart. Coordinates outside
// [0, width) x [0, height) read the nearest edge texel.
struct TextureView {
  const uint32_t* texels = nullptr;
  uint32_t pitch = 0;
  uint32_t width = 0;
  uint32_t height = 0;
};

enum class BlendMode {
  Replace,     // the source is written as it is (blending off, or One / Zero)
  SourceOver,  // SrcAlpha / InvSrcAlpha: the fast paths
  Factors,     // any other pair, drawn by the triangle path only
};

struct DrawSetup {
  TextureView texture;
  // The stage's combination, as a modulation of (texel | texelOr) by
  // (diffuse | diffuseOr): a channel the stage takes from the diffuse
  // colour alone has its texel bits forced to one, a channel taken from the
  // texel alone has its diffuse bits forced to one, and X8R8G8B8 forces the
  // texel alpha. Multiplying by 255 leaves a value as it is.
  uint32_t texelOr = 0;
  uint32_t diffuseOr = 0;
  BlendMode blend = BlendMode::Replace;
  Blend sourceFactor = Blend::One;
  Blend frameFactor = Blend::Zero;
  // Bits of the frame a draw may change (from ColorWriteEnable).
  uint32_t writeMask = 0xFFFFFFFFu;
  Filter magFilter = Filter::Point;
  Filter minFilter = Filter::Point;
  Cull cull = Cull::CounterClockwise;
  Shade shade = Shade::Gouraud;
  // The viewport, within the back buffer: no pixel outside it is written.
  RECT clip;
};

}  // namespace platform::raster
