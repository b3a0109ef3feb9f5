// Pixel tests of the rasteriser on the headless back buffer: what a quad
// covers, which texels land on which pixels, tinting and blending with
// their rounding, clipping, rotation and filtering, and that the fast path
// and the general path agree.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

#include "engine/platform/device/headless/FramePng.h"
#include "tests/platform/device/DeviceTestSupport.h"

namespace platform::testing {
namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%08X", value);
  return text;
}

// Compares a rectangle of the back buffer against `expected(x, y)` and
// names the first pixel that differs.
::testing::AssertionResult RegionIs(const raster::FrameBuffer& frame, RECT area,
                                    const std::function<uint32_t(int32_t, int32_t)>& expected) {
  for (int32_t y = area.top; y < area.bottom; ++y) {
    for (int32_t x = area.left; x < area.right; ++x) {
      if (frame.Pixel(x, y) != expected(x, y)) {
        return ::testing::AssertionFailure()
               << "first difference at (" << x << ", " << y << "): actual "
               << Hex(frame.Pixel(x, y)) << ", expected " << Hex(expected(x, y));
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Every pixel outside `inside` still has the clear colour.
::testing::AssertionResult OutsideIs(const raster::FrameBuffer& frame, RECT inside,
                                     uint32_t colour) {
  for (int32_t y = 0; y < frame.Height(); ++y) {
    for (int32_t x = 0; x < frame.Width(); ++x) {
      if (PtInRect(inside, POINT{x, y})) continue;
      if (frame.Pixel(x, y) != colour) {
        return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is "
                                             << Hex(frame.Pixel(x, y)) << ", not " << Hex(colour);
      }
    }
  }
  return ::testing::AssertionSuccess();
}

uint32_t RandomOpaque(std::mt19937& random) { return 0xFF000000u | (random() & 0x00FFFFFFu); }

class RasterTest : public DeviceFixture {
 protected:
  static constexpr uint32_t kClear = 0xFF102030u;

  void SetUp() override {
    DeviceFixture::SetUp();
    ASSERT_EQ(device->Clear(kClear), Result::Ok);
    ASSERT_EQ(device->BeginScene(), Result::Ok);
  }

  const raster::FrameBuffer& Frame() const { return device->BackBuffer(); }
};

TEST_F(RasterTest, OneToOneQuadReproducesAnOddSizedImageExactly) {
  // 37 x 23 inside a 64 x 32 texture whose other texels are loud, drawn at
  // an odd position: every image pixel lands on its own screen pixel, and
  // nothing of the texels around it shows.
  std::mt19937 random(7);
  const Image image = MakeImage(37, 23, [&](int32_t, int32_t) { return RandomOpaque(random); });
  const auto texture = MakeTexture(image, 64, 32, Format::A8R8G8B8, 0xFFFF00FFu);
  const RECT dest{101, 57, 138, 80};
  ASSERT_EQ(DrawQuad(texture, dest, RECT{0, 0, 37, 23}), Result::Ok);
  EXPECT_TRUE(RegionIs(
      Frame(), dest, [&](int32_t x, int32_t y) { return image.At(x - dest.left, y - dest.top); }));
  EXPECT_TRUE(OutsideIs(Frame(), dest, kClear));
}

TEST_F(RasterTest, OneToOneQuadOfASourceRectangleTakesThoseTexels) {
  std::mt19937 random(11);
  const Image image = MakeImage(64, 64, [&](int32_t, int32_t) { return RandomOpaque(random); });
  const auto texture = MakeTexture(image, 64, 64);
  const RECT dest{0, 590, 20, 600};  // against the bottom-left corner of the screen
  ASSERT_EQ(DrawQuad(texture, dest, RECT{30, 5, 50, 15}), Result::Ok);
  EXPECT_TRUE(
      RegionIs(Frame(), dest, [&](int32_t x, int32_t y) { return image.At(30 + x, 5 + y - 590); }));
  EXPECT_TRUE(OutsideIs(Frame(), dest, kClear));
}

TEST_F(RasterTest, TintsGiveTheirColourOnWhiteAndShapesInBlack) {
  // A white disc mask with soft edges, as picture regions are made.
  const Image mask = MakeImage(32, 32, [](int32_t x, int32_t y) {
    const int32_t dx = x - 16;
    const int32_t dy = y - 16;
    return dx * dx + dy * dy < 100 ? 0xFFFFFFFFu : 0x00FFFFFFu;
  });
  const auto texture = MakeTexture(mask, 32, 32);
  const RECT green{10, 10, 42, 42};
  const RECT black{60, 10, 92, 42};
  ASSERT_EQ(DrawQuad(texture, green, RECT{0, 0, 32, 32}, 0xFF29CE00u), Result::Ok);
  ASSERT_EQ(DrawQuad(texture, black, RECT{0, 0, 32, 32}, 0xFF000000u), Result::Ok);
  EXPECT_TRUE(RegionIs(Frame(), green, [&](int32_t x, int32_t y) {
    return (mask.At(x - 10, y - 10) >> 24) ? 0xFF29CE00u : kClear;
  }));
  EXPECT_TRUE(RegionIs(Frame(), black, [&](int32_t x, int32_t y) {
    return (mask.At(x - 60, y - 10) >> 24) ? 0xFF000000u : kClear;
  }));
}

TEST_F(RasterTest, BlendingRoundsTintedSourcesOverTheFrame) {
  // out = round((src × a + frame × (255 − a)) / 255), src already
  // round(texel × tint / 255); the frame's alpha blends the same way.
  struct Case {
    uint32_t texel;
    uint32_t tint;
    uint32_t frame;
    uint32_t expected;
  };
  const Case cases[] = {
      {0xFF123456u, 0xFFFFFFFFu, 0xFF808080u, 0xFF123456u},  // opaque: exactly the source
      {0x00FFFFFFu, 0xFFFFFFFFu, 0xFF336699u, 0xFF336699u},  // transparent: the frame stays
      {0x80FF0000u, 0xFFFFFFFFu, 0xFF0000FFu, 0xBF80007Fu},
      {0x80808080u, 0xFFFFFFFFu, 0xFF404040u, 0xBF606060u},
      {0x40FFFFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xCF404040u},
      {0x01FFFFFFu, 0xFFFFFFFFu, 0xFF000000u, 0xFE010101u},  // the faintest source still shows
      {0xFE000000u, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFE010101u},  // the faintest frame still shows
      {0xFFFFFFFFu, 0x80FFFFFFu, 0xFF000000u, 0xBF808080u},  // tint alpha 0x80: half opacity
      {0xFFFFFFFFu, 0xFF29CE00u, 0xFF000000u, 0xFF29CE00u},  // white takes the tint exactly
      {0xC0FFFFFFu, 0xFF29CE00u, 0xFF000000u, 0xD01F9B00u},  // an anti-aliased mask edge
      {0xFF0000FFu, 0xFF000000u, 0xFFFFFFFFu, 0xFF000000u},  // black tint
      {0xFFC08040u, 0x80808080u, 0xFF102030u, 0xBF383028u},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    // Each case on its own 40-pixel-wide strip: wide enough for one of
    // the compositor's full chunks and its tail.
    const int32_t x = static_cast<int32_t>(i) * 50;
    ASSERT_EQ(device->SetViewport(Viewport{static_cast<uint32_t>(x), 100, 40, 1, 0.0f, 1.0f}),
              Result::Ok);
    ASSERT_EQ(device->Clear(c.frame), Result::Ok);
    const auto texture =
        MakeTexture(MakeImage(1, 1, [&](int32_t, int32_t) { return c.texel; }), 1, 1);
    ASSERT_EQ(DrawQuad(texture, RECT{x, 100, x + 40, 101}, RECT{0, 0, 1, 1}, c.tint), Result::Ok);
    EXPECT_TRUE(
        RegionIs(Frame(), RECT{x, 100, x + 40, 101}, [&](int32_t, int32_t) { return c.expected; }))
        << "texel " << Hex(c.texel) << " tint " << Hex(c.tint) << " over " << Hex(c.frame);
  }
}

TEST_F(RasterTest, ViewportClipsDrawsAndClears) {
  const auto texture =
      MakeTexture(MakeImage(4, 4, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 4, 4);
  const RECT view{100, 120, 300, 270};
  ASSERT_EQ(device->SetViewport(Viewport{100, 120, 200, 150, 0.0f, 1.0f}), Result::Ok);
  ASSERT_EQ(device->Clear(0xFF000000u), Result::Ok);
  // Partly outside the viewport and partly off the screen.
  ASSERT_EQ(DrawQuad(texture, RECT{250, -50, 900, 200}, RECT{0, 0, 4, 4}, 0xFFFF0000u), Result::Ok);
  ASSERT_EQ(DrawRotatedQuad(texture, RECT{60, 200, 160, 300}, RECT{0, 0, 4, 4}, 0xFF00FF00u, 0.3f),
            Result::Ok);
  EXPECT_TRUE(OutsideIs(Frame(), view, kClear));
  EXPECT_TRUE(
      RegionIs(Frame(), RECT{250, 120, 300, 200}, [](int32_t, int32_t) { return 0xFFFF0000u; }));
  // The turned square around (110, 250) shows only right of the viewport's
  // left edge.
  EXPECT_EQ(Pixel(100, 250), 0xFF00FF00u);
  EXPECT_EQ(Pixel(110, 250), 0xFF00FF00u);
}

TEST_F(RasterTest, QuadsWithoutAreaDrawNothing) {
  const auto texture =
      MakeTexture(MakeImage(8, 8, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 8, 8);
  const RECT cases[] = {
      {100, 100, 100, 140},  // zero width
      {100, 100, 140, 100},  // zero height
      {100, 100, 100, 100},  // a point
  };
  for (const RECT& dest : cases) {
    ASSERT_EQ(DrawQuad(texture, dest, RECT{0, 0, 8, 8}), Result::Ok);
    ASSERT_EQ(DrawRotatedQuad(texture, dest, RECT{0, 0, 8, 8}, 0xFFFFFFFFu, 0.7f), Result::Ok);
  }
  EXPECT_TRUE(OutsideIs(Frame(), RECT{}, kClear));
}

TEST_F(RasterTest, EdgesThroughPixelCentresFollowTheTopLeftRule) {
  // Vertices on whole coordinates put the edges through pixel centres: the
  // left and top ones are inside, the right and bottom ones are not, on
  // both paths (the fan from its top-left corner, and from another one).
  const auto texture =
      MakeTexture(MakeImage(4, 4, [](int32_t, int32_t) { return 0xFFFFFFFFu; }), 4, 4);
  const TransformedVertex fan[4] = {{10.0f, 20.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
                                    {30.0f, 20.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 0.0f},
                                    {30.0f, 25.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 1.0f, 1.0f},
                                    {10.0f, 25.0f, 0.0f, 1.0f, 0xFFFFFFFFu, 0.0f, 1.0f}};
  const TransformedVertex turned[4] = {fan[2], fan[3], fan[0], fan[1]};
  for (const auto* vertices : {&fan, &turned}) {
    ASSERT_EQ(device->Clear(kClear), Result::Ok);
    ASSERT_EQ(DrawFan(texture, *vertices), Result::Ok);
    EXPECT_TRUE(
        RegionIs(Frame(), RECT{10, 20, 30, 25}, [](int32_t, int32_t) { return 0xFFFFFFFFu; }));
    EXPECT_TRUE(OutsideIs(Frame(), RECT{10, 20, 30, 25}, kClear));
  }
}

TEST_F(RasterTest, RotatedBarLandsWhereItsRotationSays) {
  // A 64 x 8 bar, red on its left half and blue on its right, turned a
  // quarter clockwise about its centre (132, 104): it stands upright over
  // x 128..135, y 72..135, its left (red) end at the top.
  const Image bar =
      MakeImage(64, 8, [](int32_t x, int32_t) { return x < 32 ? 0xFFFF0000u : 0xFF0000FFu; });
  const auto texture = MakeTexture(bar, 64, 8);
  ASSERT_EQ(DrawRotatedQuad(texture, RECT{100, 100, 164, 108}, RECT{0, 0, 64, 8}, 0xFFFFFFFFu,
                            std::numbers::pi_v<float> / 2),
            Result::Ok);
  EXPECT_TRUE(
      RegionIs(Frame(), RECT{128, 73, 136, 103}, [](int32_t, int32_t) { return 0xFFFF0000u; }));
  EXPECT_TRUE(
      RegionIs(Frame(), RECT{128, 105, 136, 135}, [](int32_t, int32_t) { return 0xFF0000FFu; }));
  EXPECT_TRUE(OutsideIs(Frame(), RECT{128, 72, 136, 136}, kClear));
}

TEST_F(RasterTest, RotatedSquaresCoverEachPixelOnceAlongTheirDiagonal) {
  // Half-transparent white: a pixel drawn twice by the two triangles of
  // the fan would come out brighter than its neighbours.
  const auto texture =
      MakeTexture(MakeImage(16, 16, [](int32_t, int32_t) { return 0x80FFFFFFu; }), 16, 16);
  for (float angle : {0.3f, 1.1f, 2.5f, -0.8f}) {
    ASSERT_EQ(device->Clear(0xFF000000u), Result::Ok);
    ASSERT_EQ(
        DrawRotatedQuad(texture, RECT{200, 200, 300, 300}, RECT{0, 0, 16, 16}, 0xFFFFFFFFu, angle),
        Result::Ok);
    int drawn = 0;
    for (int32_t y = 130; y < 370; ++y) {
      for (int32_t x = 130; x < 370; ++x) {
        const uint32_t pixel = Pixel(x, y);
        if (pixel == 0xFF000000u) continue;
        ASSERT_EQ(pixel, 0xBF808080u) << "angle " << angle << " at (" << x << ", " << y << ")";
        ++drawn;
      }
    }
    // A rotation keeps the area: 100 x 100 pixels, give or take the edges.
    EXPECT_NEAR(drawn, 10000, 200) << "angle " << angle;
  }
}

TEST_F(RasterTest, MagnificationIsBlockyAndMinificationAverages) {
  // 2 x 2 checks blown up four times: point sampling gives 4 x 4 blocks.
  const Image checks =
      MakeImage(2, 2, [](int32_t x, int32_t y) { return (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u; });
  const auto small = MakeTexture(checks, 2, 2);
  ASSERT_EQ(DrawQuad(small, RECT{10, 10, 18, 18}, RECT{0, 0, 2, 2}), Result::Ok);
  EXPECT_TRUE(RegionIs(Frame(), RECT{10, 10, 18, 18}, [&](int32_t x, int32_t y) {
    return checks.At((x - 10) / 4, (y - 10) / 4);
  }));

  // Stripes one texel wide, blown up by half again: still magnification,
  // so every pixel is one texel's colour, never a mix.
  const Image stripes =
      MakeImage(64, 16, [](int32_t x, int32_t) { return x % 2 ? 0xFFFFFFFFu : 0xFF000000u; });
  const auto wide = MakeTexture(stripes, 64, 16);
  ASSERT_EQ(DrawQuad(wide, RECT{200, 10, 230, 13}, RECT{0, 0, 20, 2}), Result::Ok);
  EXPECT_TRUE(RegionIs(Frame(), RECT{200, 10, 230, 13},
                       [&](int32_t x, int32_t) { return stripes.At((2 * (x - 200) + 1) / 3, 0); }));

  // The same stripes halved: every pixel is the mean of a black and a
  // white texel.
  ASSERT_EQ(DrawQuad(wide, RECT{100, 10, 132, 18}, RECT{0, 0, 64, 16}), Result::Ok);
  EXPECT_TRUE(
      RegionIs(Frame(), RECT{100, 10, 132, 18}, [](int32_t, int32_t) { return 0xFF808080u; }));
}

TEST_F(RasterTest, OpaqueFormatSamplesAlphaAsOpaque) {
  // Video frames are written with their fourth byte zero.
  const Image frame = MakeImage(16, 8, [](int32_t x, int32_t y) {
    return static_cast<uint32_t>(x * 16) << 16 | static_cast<uint32_t>(y * 32);
  });
  const auto texture = MakeTexture(frame, 16, 8, Format::X8R8G8B8);
  ASSERT_EQ(DrawQuad(texture, RECT{300, 300, 316, 308}, RECT{0, 0, 16, 8}), Result::Ok);
  EXPECT_TRUE(RegionIs(Frame(), RECT{300, 300, 316, 308}, [&](int32_t x, int32_t y) {
    return 0xFF000000u | frame.At(x - 300, y - 300);
  }));
}

TEST_F(RasterTest, FastAndGeneralPathsAgree) {
  // The same quad as the fan the engine writes (the fast path) and as the
  // fan started from another corner (the triangle path).
  std::mt19937 random(3);
  const Image image = MakeImage(50, 40, [&](int32_t, int32_t) {
    const uint32_t alpha = std::array<uint32_t, 4>{0, 0x40, 0xC0, 0xFF}[random() % 4];
    return alpha << 24 | (random() & 0x00FFFFFFu);
  });
  const auto texture = MakeTexture(image, 64, 64);
  struct Case {
    const char* name;
    RECT dest;
    RECT source;
    uint32_t tint;
  };
  const Case cases[] = {
      {"1:1", {10, 10, 60, 50}, {0, 0, 50, 40}, 0xFFFFFFFFu},
      {"1:1 tinted", {10, 10, 60, 50}, {0, 0, 50, 40}, 0xC029CE00u},
      {"stretched 3x", {5, 5, 155, 125}, {0, 0, 50, 40}, 0xFFFFFFFFu},
      {"stretched unevenly", {5, 5, 78, 50}, {3, 2, 50, 40}, 0xFF8080FFu},
      {"halved", {20, 20, 45, 40}, {0, 0, 50, 40}, 0xFFFFFFFFu},
      {"shrunk unevenly", {20, 20, 51, 33}, {0, 0, 50, 40}, 0x80FFFFFFu},
      {"clipped by the screen", {-20, 580, 30, 620}, {0, 0, 50, 40}, 0xFFFFFFFFu},
  };
  for (const Case& c : cases) {
    TransformedVertex fan[4];
    QuadVertices(*texture, c.dest, c.source, c.tint, fan);
    ASSERT_EQ(device->Clear(kClear), Result::Ok);
    ASSERT_EQ(DrawFan(texture, fan), Result::Ok);
    const raster::FrameBuffer fast = Frame();
    const TransformedVertex turned[4] = {fan[1], fan[2], fan[3], fan[0]};
    ASSERT_EQ(device->Clear(kClear), Result::Ok);
    ASSERT_EQ(DrawFan(texture, turned), Result::Ok);
    EXPECT_TRUE(RegionIs(Frame(), Frame().Bounds(), [&](int32_t x, int32_t y) {
      return fast.Pixel(x, y);
    })) << c.name;
  }
}

TEST_F(RasterTest, ComposedFrameSavesAsPng) {
  // Something like the game screen, to look at: a gradient background,
  // tinted soft-edged regions, a half-transparent paint well and a turned
  // brush, presented and written out.
  const Image background = MakeImage(800, 600, [](int32_t x, int32_t y) {
    return 0xFF000000u | static_cast<uint32_t>(x * 255 / 799) << 16 |
           static_cast<uint32_t>(y * 255 / 599) << 8 | 0x60u;
  });
  const Image blob = MakeImage(100, 80, [](int32_t x, int32_t y) {
    const double dx = (x - 49.5) / 50.0;
    const double dy = (y - 39.5) / 40.0;
    const double edge = (1.0 - std::sqrt(dx * dx + dy * dy)) * 40.0;  // pixels in from the rim
    const uint32_t alpha = static_cast<uint32_t>(std::clamp(edge * 255.0 / 3.0, 0.0, 255.0));
    return alpha << 24 | 0x00FFFFFFu;
  });
  const auto screen = MakeTexture(background, 1024, 1024);
  const auto region = MakeTexture(blob, 128, 128);
  ASSERT_EQ(DrawQuad(screen, RECT{0, 0, 800, 600}, RECT{0, 0, 800, 600}), Result::Ok);
  ASSERT_EQ(DrawQuad(region, RECT{100, 100, 300, 260}, RECT{0, 0, 100, 80}, 0xFF29CE00u),
            Result::Ok);
  ASSERT_EQ(DrawQuad(region, RECT{250, 200, 350, 280}, RECT{0, 0, 100, 80}, 0xFFE02020u),
            Result::Ok);
  ASSERT_EQ(DrawQuad(region, RECT{400, 300, 450, 340}, RECT{0, 0, 100, 80}, 0x80FFFFFFu),
            Result::Ok);
  ASSERT_EQ(
      DrawRotatedQuad(region, RECT{500, 100, 700, 160}, RECT{0, 0, 100, 80}, 0xFF2040FFu, 0.5f),
      Result::Ok);
  ASSERT_EQ(device->EndScene(), Result::Ok);
  ASSERT_EQ(device->Present(), Result::Ok);
  // The opaque centre of the green region, and the background beside it.
  EXPECT_EQ(backend->PixelAt(200, 180), 0xFF29CE00u);
  EXPECT_EQ(backend->PixelAt(50, 50), background.At(50, 50));
  const std::string path = ::testing::TempDir() + "device_composed_frame.png";
  std::string error;
  EXPECT_TRUE(backend->SaveFramePng(path, &error)) << error;
}

}  // namespace
}  // namespace platform::testing
