#include "bench/GameScreenLoad.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace bench {

namespace {

// An ellipse filling the image: opaque inside, its alpha falling to zero
// over the last `rim` pixels, transparent in the corners. `colour` is the
// RGB of every pixel, `stripes` darkens every other band of 8 rows (the
// drawn detail of an untinted picture).
LoadQuad Blob(int32_t width, int32_t height, uint32_t colour, bool stripes, double rim) {
  LoadQuad quad;
  quad.imageWidth = width;
  quad.imageHeight = height;
  quad.pixels.resize(static_cast<size_t>(width) * height);
  const double rx = width / 2.0;
  const double ry = height / 2.0;
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) {
      const double dx = (x + 0.5 - rx) / rx;
      const double dy = (y + 0.5 - ry) / ry;
      const double inward = (1.0 - std::sqrt(dx * dx + dy * dy)) * std::min(rx, ry);
      const auto alpha = static_cast<uint32_t>(std::clamp(inward / rim, 0.0, 1.0) * 255.0);
      uint32_t rgb = colour;
      if (stripes && (y / 8) % 2) rgb = (colour >> 1) & 0x007F7F7Fu;
      quad.pixels[static_cast<size_t>(y) * width + x] = alpha << 24 | rgb;
    }
  }
  return quad;
}

}  // namespace

std::vector<LoadQuad> MakeGameScreenLoad() {
  std::vector<LoadQuad> quads;
  std::mt19937 random(2024);

  LoadQuad background;
  background.imageWidth = 800;
  background.imageHeight = 600;
  background.pixels.resize(800 * 600);
  for (int32_t y = 0; y < 600; ++y) {
    for (int32_t x = 0; x < 800; ++x) {
      background.pixels[static_cast<size_t>(y) * 800 + x] =
          0xFF000000u | static_cast<uint32_t>(x * 255 / 799) << 16 |
          static_cast<uint32_t>(y * 255 / 599) << 8 | (random() & 0x3Fu);
    }
  }
  background.dest = RECT{0, 0, 800, 600};
  quads.push_back(std::move(background));

  // Region sizes from large to small, as a colouring picture has them.
  struct Size {
    int32_t width;
    int32_t height;
    int count;
  };
  const Size sizes[] = {{300, 200, 11}, {200, 150, 11}, {150, 120, 8}, {100, 80, 3}, {40, 40, 2}};
  const uint32_t paints[] = {0xFF29CE00u, 0xFFE03020u, 0xFF2060F0u, 0xFFF0C020u, 0xFF8040C0u};
  int index = 0;
  for (const Size& size : sizes) {
    for (int i = 0; i < size.count; ++i, ++index) {
      const bool tinted = index % 2 == 0;
      LoadQuad region =
          Blob(size.width, size.height, tinted ? 0x00FFFFFFu : 0x00C09060u, !tinted, 2.5);
      const auto x = static_cast<int32_t>(random() % static_cast<uint32_t>(800 - size.width + 1));
      const auto y = static_cast<int32_t>(random() % static_cast<uint32_t>(450 - size.height + 1));
      region.dest = RECT{x, y, x + size.width, y + size.height};
      if (tinted) region.tint = paints[index % 5];
      quads.push_back(std::move(region));
    }
  }

  for (int i = 0; i < 10; ++i) {
    LoadQuad well = Blob(60, 60, paints[i % 5] & 0x00FFFFFFu, false, 2.0);
    well.dest = RECT{20 + i * 78, 520, 80 + i * 78, 580};
    quads.push_back(std::move(well));
  }

  LoadQuad brush = Blob(64, 64, 0x00F0F0F0u, true, 3.0);
  brush.dest = RECT{380, 200, 444, 264};
  quads.push_back(std::move(brush));
  return quads;
}

int64_t CoveredPixels(const std::vector<LoadQuad>& quads) {
  int64_t total = 0;
  for (const LoadQuad& quad : quads) {
    const RECT r = IntersectRect(quad.dest, RECT{0, 0, 800, 600});
    total += int64_t{r.right - r.left} * (r.bottom - r.top);
  }
  return total;
}

}  // namespace bench
