#pragma once
// One frame of the game screen as quads, for the drawing benchmarks: an
// opaque 800 x 600 background, 35 picture regions tiling the picture area
// (800 x 450) several layers deep, opaque inside and anti-aliased at their
// rims, about half of them white masks under a paint colour, ten paint
// wells along the bottom and the brush cursor on top. About 1.7 million
// pixels are drawn per frame.
//
// Each quad keeps its image; the device benchmark puts it in a texture of
// power-of-two size, SDL's renderer in a texture of the image's own size.

#include <cstdint>
#include <vector>

#include "engine/platform/geometry/Rect.h"

namespace bench {

struct LoadQuad {
  int32_t imageWidth = 0;
  int32_t imageHeight = 0;
  std::vector<uint32_t> pixels;  // 0xAARRGGBB, rows of imageWidth
  RECT dest;
  uint32_t tint = 0xFFFFFFFFu;
};

std::vector<LoadQuad> MakeGameScreenLoad();

// The pixels the quads cover, clipped to the screen.
int64_t CoveredPixels(const std::vector<LoadQuad>& quads);

}  // namespace bench
