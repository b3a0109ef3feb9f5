// The renderer: quads on the frame buffer, texture sizes, eviction and
// device loss.

#include <gmock/gmock.h>

#include <boost/function.hpp>

#include <cmath>

#include "tests/render/engine_fixture.h"

namespace {

using Renderer = EngineFixture;

TEST_F(Renderer, OneToOneDrawReproducesThePictureExactly) {
  // An odd-sized picture inside a larger texture, every texel distinct.
  const auto colourAt = [](uint32_t x, uint32_t y) {
    return 0xFF000000u | (x * 40 + 1) << 16 | (y * 50 + 2) << 8 | ((x + y) * 7 + 3);
  };
  const uint32_t h = AddPicture(u"grid", 5, 3, colourAt);
  Frame([&] { engine->DrawTexture(h, RECT{10, 20, 15, 23}, nullptr, 0xFFFFFFFFu, 0.0f); },
        0xFF123456u);
  for (int32_t y = 0; y < 3; ++y) {
    for (int32_t x = 0; x < 5; ++x) {
      EXPECT_EQ(Pixel(10 + x, 20 + y), colourAt(x, y)) << x << "," << y;
    }
  }
  for (POINT outside : {POINT{9, 20}, POINT{15, 20}, POINT{10, 19}, POINT{10, 23}}) {
    EXPECT_EQ(Pixel(outside.x, outside.y), 0xFF123456u) << outside.x << "," << outside.y;
  }
}

TEST_F(Renderer, TintAndBlendFollowTexelTimesTintOverTheFrame) {
  struct Case {
    const char* name;
    uint32_t texel, tint, background, expected;
    int tolerance;
  } cases[] = {
      {"white takes the tint exactly", 0xFFFFFFFF, 0xFF29CE00, 0xFF000000, 0xFF29CE00, 0},
      {"black tint draws the shape black", 0xFF80C0E0, 0xFF000000, 0xFFFFFFFF, 0xFF000000, 0},
      {"untinted opaque copies", 0xFF80C0E0, 0xFFFFFFFF, 0xFF102030, 0xFF80C0E0, 0},
      {"transparent texel leaves the frame", 0x00FFFFFF, 0xFFFFFFFF, 0xFF102030, 0xFF102030, 0},
      {"half tint alpha is half opacity", 0xFFFFFFFF, 0x80FFFFFF, 0xFF000000, 0xFF808080, 1},
      {"half texel alpha over white", 0x80000000, 0xFFFFFFFF, 0xFFFFFFFF, 0xFF7F7F7F, 1},
      {"tint and texel multiply", 0xFF808080, 0xFF80FF00, 0xFF000000, 0xFF408000, 1},
  };
  int i = 0;
  for (const auto& c : cases) {
    const uint32_t h = AddSolid(u"solid" + std::u16string(1, u'a' + i++), 4, 4, c.texel);
    Frame([&] { engine->DrawTexture(h, RECT{0, 0, 4, 4}, nullptr, c.tint, 0.0f); }, c.background);
    // The frame's own alpha is blended too but never shown: compare colour.
    EXPECT_PRED3(ColourNear, Pixel(1, 1) & 0xFFFFFFu, c.expected & 0xFFFFFFu, c.tolerance)
        << c.name << ": " << std::hex << Pixel(1, 1);
  }
}

TEST_F(Renderer, EmptyDestinationsAndTheViewportLimitWhatIsDrawn) {
  const uint32_t h = AddSolid(u"white", 8, 8, 0xFFFFFFFF);
  Frame([&] {
    engine->DrawTexture(h, RECT{10, 10, 10, 30}, nullptr, 0xFFFFFFFFu, 0.0f);  // no width
    engine->DrawTexture(h, RECT{20, 10, 30, 10}, nullptr, 0xFFFFFFFFu, 0.0f);  // no height
    engine->DrawTexture(h, RECT{40, 10, 30, 20}, nullptr, 0xFFFFFFFFu, 0.0f);  // inverted
  });
  for (int32_t x = 0; x < 50; ++x) EXPECT_EQ(Pixel(x, 12), 0xFF000000u) << x;

  Frame([&] {
    engine->SetViewport(IMViewport{100, 100, 50, 40, 0.0f, 1.0f});
    engine->DrawTexture(h, RECT{80, 80, 200, 200}, nullptr, 0xFFFFFFFFu, 0.0f);
    engine->SetViewport(IMViewport{0, 0, 800, 600, 0.0f, 1.0f});
  });
  EXPECT_EQ(Pixel(100, 100), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(149, 139), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(99, 120), 0xFF000000u);
  EXPECT_EQ(Pixel(150, 120), 0xFF000000u);
  EXPECT_EQ(Pixel(120, 140), 0xFF000000u);
}

TEST_F(Renderer, DrawingOriginOffsetsEveryQuad) {
  const uint32_t h = AddSolid(u"white", 2, 2, 0xFFFFFFFF);
  Frame([&] {
    engine->drawOriginX = 300;
    engine->drawOriginY = 200;
    engine->DrawTexture(h, RECT{5, 5, 7, 7}, nullptr, 0xFFFFFFFFu, 0.0f);
    engine->drawOriginX = engine->drawOriginY = 0;
  });
  EXPECT_EQ(Pixel(305, 205), 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(5, 5), 0xFF000000u);
}

TEST_F(Renderer, TurnedQuadLandsWhereItsTurnSays) {
  // A bar 60 wide and 10 high centred on (200, 150), turned a quarter
  // clockwise, stands 10 wide and 60 high.
  const uint32_t h = AddPicture(u"bar", 60, 10, [](uint32_t x, uint32_t) {
    return x < 30 ? 0xFFFF0000u : 0xFF0000FFu;
  });
  Frame([&] {
    engine->DrawTexture(h, RECT{170, 145, 230, 155}, nullptr, 0xFFFFFFFFu,
                        static_cast<float>(M_PI / 2));
  });
  EXPECT_EQ(Pixel(200, 125), 0xFFFF0000u);  // the left half now points up
  EXPECT_EQ(Pixel(200, 175), 0xFF0000FFu);  // the right half down
  EXPECT_EQ(Pixel(180, 150), 0xFF000000u);  // where the unturned bar was
  EXPECT_EQ(Pixel(220, 150), 0xFF000000u);
  EXPECT_EQ(Pixel(200, 115), 0xFF000000u);
}

TEST_F(Renderer, TexturesArePowerOfTwoAndTheQuadSamplesOnlyThePicture) {
  struct Case {
    uint32_t width, height;
    int32_t textureWidth, textureHeight;
  } cases[] = {{1, 1, 1, 1}, {46, 79, 64, 128}, {800, 600, 1024, 1024}, {64, 3, 64, 4}};
  for (const auto& c : cases) {
    const uint32_t h =
        AddPicture(u"size" + std::u16string(1, char16_t('0' + c.width % 10)) + u"x",
                   c.width, c.height, [](uint32_t x, uint32_t y) {
                     return 0xFF000000u | ((x * 3) & 0xFF) << 16 | ((y * 5) & 0xFF);
                   });
    IMTextureEntry* entry = engine->Entry(h);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->textureWidth, c.textureWidth) << c.width;
    EXPECT_EQ(entry->textureHeight, c.textureHeight) << c.height;
    EXPECT_EQ(entry->imageRect, (RECT{0, 0, static_cast<int32_t>(c.width),
                                      static_cast<int32_t>(c.height)}));
    EXPECT_NE(entry->cpuPixels, nullptr);
  }
  // The 800 x 600 picture drawn full screen shows its own last texels at
  // the far corner, not the texture's empty remainder.
  const uint32_t big = engine->FindTexture(u"size0x");
  Frame([&] { engine->DrawTexture(big, RECT{0, 0, 800, 600}, nullptr, 0xFFFFFFFFu, 0.0f); });
  EXPECT_EQ(Pixel(799, 599), 0xFF000000u | ((799 * 3) & 0xFF) << 16 | ((599 * 5) & 0xFF));
}

TEST_F(Renderer, ExhaustedVideoMemoryEvictsAndTheEvictedComeBackWhenDrawn) {
  // Room for two 64 x 64 textures.
  device->SetVideoMemoryBudget(2 * 64 * 64 * 4);
  const uint32_t a = AddSolid(u"a", 64, 64, 0xFFFF0000);
  const uint32_t b = AddSolid(u"b", 64, 64, 0xFF00FF00);
  const uint32_t c = AddSolid(u"c", 64, 64, 0xFF0000FF);
  ASSERT_NE(c, engine->HandleCount());
  EXPECT_EQ(engine->Entry(a)->texture, nullptr);  // the first resident other was evicted
  EXPECT_NE(engine->Entry(a)->cpuPixels, nullptr);
  EXPECT_NE(engine->Entry(b)->texture, nullptr);

  // Drawing a brings it back from its copy, in the same call.
  Frame([&] { engine->DrawTexture(a, RECT{0, 0, 64, 64}, nullptr, 0xFFFFFFFFu, 0.0f); });
  EXPECT_EQ(Pixel(10, 10), 0xFFFF0000u);
  EXPECT_NE(engine->Entry(a)->texture, nullptr);
  EXPECT_EQ(engine->Entry(b)->texture, nullptr);

  // A texture larger than the whole budget cannot be made even after
  // evicting everything: no texture, no endless retry.
  EXPECT_EQ(AddSolid(u"huge", 256, 256, 0xFFFFFFFF), engine->HandleCount());
  EXPECT_EQ(engine->FindTexture(u"huge"), engine->HandleCount());
}

TEST_F(Renderer, LostDeviceIsMadeAnewAndTexturesReturnLazily) {
  const uint32_t h = AddSolid(u"red", 8, 8, 0xFFFF0000);
  const uint32_t video = engine->CreateBlankTexture(u"video", 16, 16, platform::Format::X8R8G8B8);
  EXPECT_FALSE(engine->CheckDeviceLost());

  device->LoseDevices();
  EXPECT_TRUE(engine->CheckDeviceLost());
  EXPECT_TRUE(engine->IsDeviceLost());
  device->FailDeviceCreations(1);
  EXPECT_FALSE(engine->RestoreDevice());  // tried again on the next paint
  EXPECT_TRUE(engine->IsDeviceLost());
  EXPECT_TRUE(engine->RestoreDevice());
  EXPECT_FALSE(engine->CheckDeviceLost());
  EXPECT_EQ(engine->Entry(h)->texture, nullptr);
  EXPECT_EQ(engine->Entry(video)->texture, nullptr);

  Frame([&] {
    engine->DrawTexture(h, RECT{0, 0, 8, 8}, nullptr, 0xFFFFFFFFu, 0.0f);
    engine->DrawTexture(video, RECT{20, 0, 36, 16}, nullptr, 0xFFFFFFFFu, 0.0f);
  }, 0xFFFFFFFFu);
  EXPECT_EQ(Pixel(3, 3), 0xFFFF0000u);
  // The video texture came back in its own format: opaque black, not
  // invisible.
  EXPECT_EQ(engine->Entry(video)->format, platform::Format::X8R8G8B8);
  EXPECT_EQ(Pixel(25, 5), 0xFF000000u);
}

TEST_F(Renderer, UpdateTextureHandsTheWriterThePixelsAndRefusesAnEmptyOne) {
  const uint32_t h = engine->CreateBlankTexture(u"canvas", 20, 10, platform::Format::A8R8G8B8);
  EXPECT_EQ(engine->CreateBlankTexture(u"canvas", 1, 1, platform::Format::A8R8G8B8), h);
  EXPECT_EQ(engine->Entry(h)->refCount, 2);
  EXPECT_EQ(engine->GetTexturePitch(h), 32 * 4);
  int32_t seenPitch = 0, seenHeight = 0;
  engine->UpdateTexture(h, [&](uint8_t* pixels, int32_t pitch, int32_t height) {
    seenPitch = pitch;
    seenHeight = height;
    for (int32_t y = 0; y < height; ++y) {
      for (int32_t x = 0; x < 20; ++x) {
        uint8_t* p = pixels + y * pitch + x * 4;
        p[0] = 0x00, p[1] = 0xFF, p[2] = 0x00, p[3] = 0xFF;
      }
    }
  });
  EXPECT_EQ(seenPitch, 32 * 4);
  EXPECT_EQ(seenHeight, 10);
  Frame([&] { engine->DrawTexture(h, RECT{0, 0, 20, 10}, nullptr, 0xFFFFFFFFu, 0.0f); });
  EXPECT_EQ(Pixel(19, 9), 0xFF00FF00u);
  EXPECT_THROW(engine->UpdateTexture(h, IMTextureWriter()), boost::bad_function_call);
}

}  // namespace
