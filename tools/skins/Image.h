#pragma once
// A picture as it goes into a PNG file: 8-bit red, green, blue and alpha
// per pixel, not premultiplied, rows top to bottom. Whether the file keeps
// the alpha channel is the skin's kind, decided when it is written.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skins {

struct Pixel {
  uint8_t r = 0, g = 0, b = 0, a = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

// An opaque pixel from 0xRRGGBB.
constexpr Pixel Opaque(uint32_t rgb) {
  return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
          static_cast<uint8_t>(rgb), 255};
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Pixel> pixels;  // width * height, row by row

  Image() = default;
  Image(int w, int h, Pixel fill = {}) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  Pixel& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  const Pixel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

// Whether the PNG file carries alpha: colour type 6 (RGBA) or 2 (RGB).
enum class Kind { Rgb, Rgba };

}  // namespace skins
