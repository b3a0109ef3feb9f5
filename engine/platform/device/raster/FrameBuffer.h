#pragma once
// The device's back buffer: width x height pixels 0xAARRGGBB, rows packed
// one after another (the pitch is exactly width pixels).

#include <cstdint>
#include <vector>

#include "engine/platform/geometry/Rect.h"

namespace platform::raster {

class FrameBuffer {
 public:
  FrameBuffer(int32_t width, int32_t height);

  int32_t Width() const { return width; }
  int32_t Height() const { return height; }
  int32_t PitchPixels() const { return width; }
  int32_t PitchBytes() const { return width * 4; }
  RECT Bounds() const { return RECT{0, 0, width, height}; }

  uint32_t* Row(int32_t y) { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint32_t* Row(int32_t y) const { return pixels.data() + static_cast<size_t>(y) * width; }
  uint32_t Pixel(int32_t x, int32_t y) const { return Row(y)[x]; }
  const uint32_t* Data() const { return pixels.data(); }

  // Sets every pixel of `area` (already within the bounds) to `argb`.
  void Fill(const RECT& area, uint32_t argb);

 private:
  int32_t width;
  int32_t height;
  std::vector<uint32_t> pixels;
};

}  // namespace platform::raster
