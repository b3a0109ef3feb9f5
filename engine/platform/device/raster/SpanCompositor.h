#pragma once
// The hot loop of the device: one row of a quad, texels already in screen
// order (straight from the texture for a 1:1 draw, gathered or filtered
// into a row buffer otherwise), combined with the tint and written over the
// frame.
//
// Blending over the frame walks the row in chunks of 32 pixels. A chunk
// whose sources are all transparent is skipped, one whose sources are all
// opaque is stored, and any other is blended pixel by pixel. Each of these
// gives exactly what blending every pixel would, only faster: picture
// regions are mostly opaque inside and transparent around, with a thin
// anti-aliased edge between. The loops are written for the compiler to
// vectorise.

#include <cstdint>

namespace platform::raster {

struct SpanMode {
  // Bits forced to one in every texel before it is modulated.
  uint32_t texelOr = 0;
  // The diffuse colour (with the bits the stage ignores forced to one);
  // 0xFFFFFFFF leaves texels as they are.
  uint32_t diffuse = 0xFFFFFFFFu;
  // Source over the frame by source alpha; otherwise the source replaces
  // the frame.
  bool blendOver = false;
};

// Writes dst[0 .. count) from src[0 .. count). The two never overlap.
void CompositeSpan(uint32_t* dst, const uint32_t* src, int32_t count, const SpanMode& mode);

}  // namespace platform::raster
