#pragma once
// Every picture of a Theora stream decoded the other way: libtheora's
// current decoder interface (th_decode_*) instead of the view's
// first-generation one, and the plain scalar conversion. What the view
// shows is compared with these.

#include <cstdint>
#include <span>
#include <vector>

namespace videotest {

struct ReferenceFrames {
  int32_t width = 0;
  int32_t height = 0;
  // Per picture, rows of texels as the view's textures hold them (bytes
  // blue, green, red, 0: 0x00RRGGBB read as a little-endian word).
  std::vector<std::vector<uint32_t>> frames;
};

ReferenceFrames DecodeReferenceFrames(std::span<const uint8_t> stream);

}  // namespace videotest
