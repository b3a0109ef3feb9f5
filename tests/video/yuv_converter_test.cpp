// The picture conversion: the formula on hand-worked samples, and the
// packed fast path pixel for pixel against the plain reference on every
// kind of size, stride and value range.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "engine/render/Yuv420Converter.h"

namespace {

// Planes of random samples, with the rows laid out top-down or bottom-up.
struct Planes {
  Planes(int32_t width, int32_t height, bool bottomUp, uint32_t seed, int lo = 0, int hi = 255)
      : width(width), height(height) {
    const int32_t chromaWidth = (width + 1) / 2;
    const int32_t chromaHeight = (height + 1) / 2;
    // Strides wider than the rows, as the decoder's are.
    yStride = width + 21;
    uvStride = chromaWidth + 13;
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> sample(lo, hi);
    const auto fill = [&](std::vector<uint8_t>& plane, size_t n) {
      plane.resize(n);
      for (auto& s : plane) s = static_cast<uint8_t>(sample(random));
    };
    fill(y, static_cast<size_t>(yStride) * height);
    fill(cb, static_cast<size_t>(uvStride) * chromaHeight);
    fill(cr, static_cast<size_t>(uvStride) * chromaHeight);
    picture.width = width;
    picture.height = height;
    if (bottomUp) {
      picture.y = y.data() + static_cast<ptrdiff_t>(yStride) * (height - 1);
      picture.cb = cb.data() + static_cast<ptrdiff_t>(uvStride) * (chromaHeight - 1);
      picture.cr = cr.data() + static_cast<ptrdiff_t>(uvStride) * (chromaHeight - 1);
      picture.yStride = -yStride;
      picture.uvStride = -uvStride;
    } else {
      picture.y = y.data();
      picture.cb = cb.data();
      picture.cr = cr.data();
      picture.yStride = yStride;
      picture.uvStride = uvStride;
    }
  }

  int32_t width, height, yStride, uvStride;
  std::vector<uint8_t> y, cb, cr;
  IMYuvPicture picture;
};

// Room for the picture and guard bytes after every row and after the
// last, all 0xAB, so a write outside the picture shows.
struct Target {
  Target(int32_t width, int32_t height)
      : pitch(width * 4 + 12), bytes(static_cast<size_t>(pitch) * (height + 1), 0xAB) {}
  int32_t pitch;
  std::vector<uint8_t> bytes;
};

std::vector<uint8_t> Convert(const IMYuvPicture& picture, bool fast) {
  Target target(picture.width, picture.height);
  if (fast) {
    ConvertYuvToX8R8G8B8(picture, target.bytes.data(), target.pitch);
  } else {
    ConvertYuvReference(picture, target.bytes.data(), target.pitch);
  }
  return target.bytes;
}

TEST(YuvConverter, ReferenceFollowsTheSixBitFormula) {
  struct Case {
    uint8_t y, cb, cr;
    uint8_t blue, green, red;
  } cases[] = {
      {16, 128, 128, 0, 0, 0},         // black
      {235, 128, 128, 253, 253, 253},  // 74 x 219 >> 6: the formula's white
      {100, 90, 200, 20, 53, 211},     // 1314, 3422 and 13560, each >> 6
      {16, 0, 128, 0, 50, 0},          // blue far below 0 clamps to 0
      {255, 255, 255, 255, 123, 255},  // a saturated blue sum still clamps to 255
      {0, 128, 128, 0, 0, 0},          // below black: -1184 >> 6 rounds down
      {17, 129, 127, 3, 1, 0},         // (74 + 129) >> 6 = 3; (74 - 102) >> 6 = -1 -> 0
  };
  for (const Case& c : cases) {
    // A 2 x 2 picture: one chroma sample for all four pixels.
    const uint8_t y[4] = {c.y, c.y, c.y, c.y};
    IMYuvPicture picture{y, &c.cb, &c.cr, 2, 1, 2, 2, 1, 1};
    const std::vector<uint8_t> out = Convert(picture, false);
    for (int pixel = 0; pixel < 4; ++pixel) {
      const size_t at = static_cast<size_t>(pixel / 2) * (2 * 4 + 12) + (pixel % 2) * 4;
      EXPECT_EQ(out[at + 0], c.blue) << int{c.y} << "," << int{c.cb} << "," << int{c.cr};
      EXPECT_EQ(out[at + 1], c.green) << int{c.y} << "," << int{c.cb} << "," << int{c.cr};
      EXPECT_EQ(out[at + 2], c.red) << int{c.y} << "," << int{c.cb} << "," << int{c.cr};
      EXPECT_EQ(out[at + 3], 0);
    }
  }
}

TEST(YuvConverter, EachChromaSampleColoursTheTwoByTwoPixelsItCovers) {
  // 4 x 4 luma at mid grey; four chroma samples, one strong colour each.
  const std::vector<uint8_t> y(16, 126);
  const uint8_t cb[4] = {255, 0, 128, 128};
  const uint8_t cr[4] = {128, 128, 255, 0};
  const IMYuvPicture picture{y.data(), cb, cr, 4, 2, 4, 4, 1, 1};
  for (bool fast : {false, true}) {
    const std::vector<uint8_t> out = Convert(picture, fast);
    const int32_t pitch = 4 * 4 + 12;
    for (int row = 0; row < 4; ++row) {
      for (int column = 0; column < 4; ++column) {
        const uint8_t* p = &out[static_cast<size_t>(row) * pitch + column * 4];
        const int block = (row / 2) * 2 + column / 2;
        const bool blueBlock = block == 0, yellowBlock = block == 1;
        const bool redBlock = block == 2, greenBlock = block == 3;
        EXPECT_EQ(blueBlock, p[0] == 255) << row << "," << column << " fast " << fast;
        EXPECT_EQ(yellowBlock, p[0] == 0) << row << "," << column << " fast " << fast;
        EXPECT_EQ(redBlock, p[2] == 255) << row << "," << column << " fast " << fast;
        EXPECT_EQ(greenBlock, p[2] == 0) << row << "," << column << " fast " << fast;
      }
    }
  }
}

TEST(YuvConverter, PackedPathMatchesReferenceOnEverySizeAndLayout) {
  struct Case {
    int32_t width, height;
  } sizes[] = {{1, 1},  {2, 2},   {7, 3},  {8, 2},  {9, 5},
               {15, 1}, {16, 16}, {17, 7}, {33, 4}, {320, 240}};
  struct Range {
    int lo, hi;
  } ranges[] = {{0, 255}, {0, 20}, {235, 255}, {100, 156}};
  uint32_t seed = 1;
  for (const Case& size : sizes) {
    for (bool bottomUp : {false, true}) {
      for (const Range& range : ranges) {
        Planes planes(size.width, size.height, bottomUp, seed++, range.lo, range.hi);
        const std::vector<uint8_t> fast = Convert(planes.picture, true);
        const std::vector<uint8_t> reference = Convert(planes.picture, false);
        size_t differences = 0;
        for (size_t i = 0; i < fast.size(); ++i) differences += fast[i] != reference[i];
        EXPECT_EQ(differences, 0u) << size.width << "x" << size.height << " bottom-up " << bottomUp
                                   << " samples " << range.lo << ".." << range.hi;
        // Nothing is written past a row or below the last one.
        const int32_t pitch = size.width * 4 + 12;
        for (int32_t row = 0; row <= size.height; ++row) {
          const int32_t from = row < size.height ? size.width * 4 : 0;
          for (int32_t i = from; i < pitch; ++i) {
            ASSERT_EQ(fast[static_cast<size_t>(row) * pitch + i], 0xAB)
                << size.width << "x" << size.height << " row " << row << " byte " << i;
          }
        }
      }
    }
  }
}

TEST(YuvConverter, UnsubsampledChromaIsReadPixelForPixel) {
  // 4:4:4 (each pixel its own chroma) goes the scalar way.
  Planes planes(9, 3, false, 77);
  IMYuvPicture picture = planes.picture;
  std::vector<uint8_t> cb(planes.y.size()), cr(planes.y.size());
  for (size_t i = 0; i < cb.size(); ++i) {
    cb[i] = static_cast<uint8_t>(i * 37);
    cr[i] = static_cast<uint8_t>(255 - i * 11);
  }
  picture.cb = cb.data();
  picture.cr = cr.data();
  picture.uvStride = picture.yStride;
  picture.chromaShiftX = picture.chromaShiftY = 0;
  const std::vector<uint8_t> out = Convert(picture, true);
  const int32_t pitch = 9 * 4 + 12;
  for (int32_t row = 0; row < 3; ++row) {
    for (int32_t x = 0; x < 9; ++x) {
      const size_t at = static_cast<size_t>(row) * picture.yStride + x;
      const uint8_t y[1] = {planes.y[at]};
      const IMYuvPicture one{y, &cb[at], &cr[at], 1, 1, 1, 1, 0, 0};
      const std::vector<uint8_t> expected = Convert(one, false);
      for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(out[static_cast<size_t>(row) * pitch + x * 4 + k], expected[k])
            << row << "," << x;
      }
    }
  }
}

}  // namespace
