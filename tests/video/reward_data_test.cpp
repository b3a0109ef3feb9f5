// The reward's data as the program carries it: the praise words at the
// rate, channels and length each is shown with, and the cloud with its
// window where the cartoon shows through and its rim where it does not.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/platform/resources/EmbeddedData.h"
#include "tests/render/engine_fixture.h"
#include "tests/video/ogg_test_streams.h"

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t{p[3]} << 24; }

TEST(RewardData, PraiseWordsHaveTheirRatesChannelsAndLengths) {
  struct Word {
    const char16_t* name;
    uint32_t rate;
    double seconds;
  } words[] = {{u"bravo_sound", 44100, 2.0},
               {u"gotovo_sound", 11025, 2.0},
               {u"molodec_sound", 44100, 2.0},
               {u"otlichno_sound", 44100, 2.0},
               {u"ura_sound", 22050, 2.1}};
  for (const Word& w : words) {
    const auto data = platform::FindNamedData(w.name);
    ASSERT_TRUE(data.has_value());
    const auto pages = videotest::SplitPages(*data);
    ASSERT_GE(pages.size(), 2u);
    // The identification header: "\x01vorbis", version, channels, rate.
    const uint8_t* id = pages.front().data() + videotest::BodyOffset(pages.front());
    ASSERT_EQ(std::memcmp(id, "\x01vorbis", 7), 0);
    EXPECT_EQ(id[11], 2) << "channels";
    EXPECT_EQ(Le32(id + 12), w.rate);
    // The last page's granule position counts the samples of one channel.
    const uint8_t* last = pages.back().data();
    const uint64_t samples = Le32(last + 6) | uint64_t{Le32(last + 10)} << 32;
    EXPECT_NEAR(static_cast<double>(samples) / w.rate, w.seconds, 0.005);
  }
}

using RewardCloud = EngineFixture;

TEST_F(RewardCloud, CartoonShowsThroughTheWindowAndTheRimCoversItsOuterPixels) {
  const auto data = platform::FindNamedData(u"oblako_png");
  ASSERT_TRUE(data.has_value());
  const uint32_t cloud = engine->AddTexture(u"oblako_png", data->data(), data->size());
  ASSERT_NE(engine->Entry(cloud), nullptr);
  EXPECT_EQ(engine->Entry(cloud)->imageRect, (RECT{0, 0, 506, 350}));
  const auto alpha = [&](int32_t x, int32_t y) { return *engine->CpuAlphaAt(cloud, x, y); };

  // The window: clear everywhere but its rounded corners.
  for (int32_t y = 80; y <= 275; ++y) {
    for (int32_t x = 94; x <= 407; ++x) {
      const bool corner = (x < 94 + 12 || x > 407 - 12) && (y < 80 + 12 || y > 275 - 12);
      if (!corner) {
        ASSERT_EQ(alpha(x, y), 0) << x << "," << y;
      }
    }
  }
  // The view lies at (93, 76) in the cloud, 320 x 200: what of it is not
  // in the window lies under opaque cloud.
  for (int32_t y = 76; y < 276; ++y) {
    for (int32_t x = 93; x < 413; ++x) {
      const bool inWindow = x >= 94 && x <= 407 && y >= 80;
      if (!inWindow) {
        ASSERT_EQ(alpha(x, y), 255) << x << "," << y;
      }
    }
  }
  // The body's colour, and a clear outside.
  const IMTextureEntry* entry = engine->Entry(cloud);
  uint32_t body;
  std::memcpy(&body, entry->cpuPixels.get() + 40 * entry->cpuPitch + 253 * 4, 4);
  EXPECT_EQ(body, 0xFFEDFFFDu);
  EXPECT_EQ(alpha(0, 0), 0);
  EXPECT_EQ(alpha(505, 349), 0);
  engine->ReleaseTexture(cloud);
}

}  // namespace
