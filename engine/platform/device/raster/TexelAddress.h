#pragma once
// From a texture coordinate to texels, shared by every draw path so that
// they agree pixel for pixel. Coordinates here are in texels: s = u × width,
// so texel i spans [i, i + 1) and its centre is at i + 0.5. Addressing
// clamps to the edge texels.
//
// Which filter applies follows the texel footprint of one pixel, the larger
// of the two axes: more than one texel per pixel is minification, anything
// else (1:1 included) is magnification. The choice is made once per quad or
// triangle, for both axes together.

#include <cmath>
#include <cstdint>

namespace platform::raster {

// A little slack so that a 1:1 mapping computed in floating point still
// counts as magnification.
inline constexpr double kMinificationThreshold = 1.0 + 1e-6;

inline uint32_t ClampTexel(double i, uint32_t size) {
  if (!(i > 0.0)) return 0;  // also catches NaN
  if (i >= static_cast<double>(size - 1)) return size - 1;
  return static_cast<uint32_t>(i);
}

// Point sampling: the texel whose span holds s.
inline uint32_t PointTexel(double s, uint32_t size) { return ClampTexel(std::floor(s), size); }

// Linear sampling along one axis: the two texels whose centres enclose s
// and the weight of the second in 256ths.
struct LinearTap {
  uint32_t first = 0;
  uint32_t second = 0;
  uint32_t weight = 0;  // 0..255
};

inline LinearTap LinearTexels(double s, uint32_t size) {
  const double centred = s - 0.5;
  double index = std::floor(centred);
  double weight = std::round((centred - index) * 256.0);
  if (weight >= 256.0) {
    index += 1.0;
    weight = 0.0;
  }
  return LinearTap{ClampTexel(index, size), ClampTexel(index + 1.0, size),
                   static_cast<uint32_t>(weight)};
}

// The weighted mean of four texels, per channel, rounded:
// top = (a, b) across, bottom = (c, d) across, `down` the weight of the
// bottom row, all in 256ths.
inline uint32_t Bilinear(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t across,
                         uint32_t down) {
  const uint32_t left = 256 - across;
  const uint32_t up = 256 - down;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t top = ((a >> shift) & 0xFFu) * left + ((b >> shift) & 0xFFu) * across;
    const uint32_t bottom = ((c >> shift) & 0xFFu) * left + ((d >> shift) & 0xFFu) * across;
    out |= ((top * up + bottom * down + 32768) >> 16) << shift;
  }
  return out;
}

}  // namespace platform::raster
