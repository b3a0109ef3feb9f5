// The chunked compositor against a plain per-pixel reference with ordinary
// integer division: skipping transparent chunks and storing opaque ones
// must give exactly what blending every pixel gives, at every span length
// and chunk boundary.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "engine/platform/device/raster/SpanCompositor.h"

namespace platform::raster {
namespace {

uint32_t Channel(uint32_t word, int shift) { return (word >> shift) & 0xFFu; }

uint32_t ReferenceModulate(uint32_t texel, uint32_t diffuse) {
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= (Channel(texel, shift) * Channel(diffuse, shift) + 127) / 255 << shift;
  }
  return out;
}

uint32_t ReferenceOver(uint32_t source, uint32_t frame) {
  const uint32_t a = source >> 24;
  uint32_t out = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    out |= (Channel(source, shift) * a + Channel(frame, shift) * (255 - a) + 127) / 255 << shift;
  }
  return out;
}

// Runs of transparent, opaque and anti-aliased texels, so that whole
// chunks of each kind and mixed chunks all occur.
std::vector<uint32_t> Texels(std::mt19937& random, size_t count) {
  std::vector<uint32_t> texels;
  while (texels.size() < count) {
    const uint32_t kind = random() % 3;
    const size_t run = 1 + random() % 40;
    for (size_t i = 0; i < run && texels.size() < count; ++i) {
      const uint32_t alpha = kind == 0 ? 0u : kind == 1 ? 255u : random() % 256;
      texels.push_back(alpha << 24 | (random() & 0x00FFFFFFu));
    }
  }
  return texels;
}

TEST(RasterSpanTest, MatchesThePerPixelReference) {
  struct Mode {
    const char* name;
    SpanMode mode;
  };
  const Mode modes[] = {
      {"over, untinted", {0, 0xFFFFFFFFu, true}},
      {"over, tinted", {0, 0xFF29CE00u, true}},
      {"over, half-transparent tint", {0, 0x80FFFFFFu, true}},
      {"over, opaque format", {0xFF000000u, 0xFFFFFFFFu, true}},
      {"over, opaque format tinted", {0xFF000000u, 0xC0408020u, true}},
      {"replace, untinted", {0, 0xFFFFFFFFu, false}},
      {"replace, tinted", {0, 0x80C0FF10u, false}},
  };
  std::mt19937 random(1234);
  for (const Mode& m : modes) {
    for (int32_t count : {0, 1, 15, 16, 17, 31, 32, 33, 63, 64, 65, 100, 257}) {
      const std::vector<uint32_t> source = Texels(random, static_cast<size_t>(count));
      std::vector<uint32_t> frame(static_cast<size_t>(count));
      for (uint32_t& pixel : frame) pixel = random();
      std::vector<uint32_t> expected = frame;
      for (int32_t i = 0; i < count; ++i) {
        const uint32_t s = ReferenceModulate(source[i] | m.mode.texelOr, m.mode.diffuse);
        expected[i] = m.mode.blendOver ? ReferenceOver(s, frame[i]) : s;
      }
      CompositeSpan(frame.data(), source.data(), count, m.mode);
      for (int32_t i = 0; i < count; ++i) {
        ASSERT_EQ(frame[i], expected[i]) << m.name << ", span of " << count << ", pixel " << i;
      }
    }
  }
}

}  // namespace
}  // namespace platform::raster
