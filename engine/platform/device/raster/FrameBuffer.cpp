#include "engine/platform/device/raster/FrameBuffer.h"

#include <algorithm>
#include <cassert>

namespace platform::raster {

FrameBuffer::FrameBuffer(int32_t width, int32_t height)
    : width(width), height(height), pixels(static_cast<size_t>(width) * height, 0u) {
  assert(width > 0 && height > 0);
}

void FrameBuffer::Fill(const RECT& area, uint32_t argb) {
  assert(area.left >= 0 && area.top >= 0 && area.right <= width && area.bottom <= height);
  for (int32_t y = area.top; y < area.bottom; ++y) {
    std::fill(Row(y) + area.left, Row(y) + area.right, argb);
  }
}

}  // namespace platform::raster
