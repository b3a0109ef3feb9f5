// The paint rules: which paints each region takes, what each gives it, the
// refusal with its sound and blink, and completion.

#include <gmock/gmock.h>

#include <string>

#include "tests/app/game/game_fixture.h"

using namespace game;

namespace {

std::u16string Number(int id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

class PaintRules : public GameFixture {
 protected:
  PaintRules() { OpenGameScreen(); }
  void Paint(int paint, int region) {
    app.SelectPaint(paint);
    app.PaintRegion(region);
  }
};

// The paints each region takes, as digits, region by region: written out
// here on their own so that a slip in the game's table shows.
const char* const kAccepted[kRegionCount] = {
    "4",    "237", "237", "237", "279", "237", "237", "237", "237", "5",           // 0-9
    "3",    "3",   "1",   "2",   "8",   "3",   "3",   "7",   "0123", "0123",       // 10-19
    "89",   "3",   "2",   "0",   "0123456789", "0123456789", "1789", "0123", "27", "9",  // 20-29
    "0123456789", "0123456789", "0123456789", "1279", "0123456789",             // 30-34
};

TEST_F(PaintRules, EveryRegionTakesExactlyItsPaints) {
  for (int k = 0; k < kRegionCount; ++k) {
    for (int p = 0; p < kPaintCount; ++p) {
      const bool expected = std::string(kAccepted[k]).find(char('0' + p)) != std::string::npos;
      // Start each try from an uncoloured region and no blink.
      if (app.wrongPaintBlink) {
        app.wrongPaintBlink->Close();
        Step();
      }
      app.coloured[k] = false;
      const std::u16string before = ShownPicture(app.regionPictures[k]);
      const uint32_t tintBefore = app.regionPictures[k]->colour;
      Paint(p, k);
      EXPECT_EQ(app.coloured[k], expected) << "region " << k << " paint " << p;
      EXPECT_EQ(app.wrongPaintBlink != nullptr, !expected) << "region " << k << " paint " << p;
      if (!expected) {
        EXPECT_EQ(ShownPicture(app.regionPictures[k]), before) << "region " << k << " paint " << p;
        EXPECT_EQ(app.regionPictures[k]->colour, tintBefore) << "region " << k << " paint " << p;
      }
    }
  }
}

TEST_F(PaintRules, AcceptedPaintsGiveTheirShadeAndPicture) {
  struct Case {
    int region, paint;
    int picture;
    uint32_t tint;
  } cases[] = {
      {9, kBlue, 166, 0xFF0000FF},       // the river
      {1, kGreen, 145, 0xFF29CE00},      // meadow
      {0, kLightBlue, 172, 0xFFFFFFFF},  // the sky shows its own colours
      {14, kWhite, 132, 0xFFFFFFFF},     // the cloud
      {21, kGreen, 170, 0xFF15CC00},     // lamps take the brush colour ...
      {22, kYellow, 170, 0xFFFEFE00},
      {23, kRed, 167, 0xFFFF0C0C},       // ... the upper one on its grey blank
      {30, kBlack, 127, 0xFF010101},     // the car body in near-black
      {30, kPurple, 127, 0xFF9900CC},
      {24, kWhite, 156, 0xFFF4F5CF},     // the walls keep their blank picture
      {33, kBrown, 119, 0xFF5E2F00},     // the hair in the brush colour
      {18, kGreen, 104, 0xFF86ED3A},
  };
  for (const auto& c : cases) {
    Paint(c.paint, c.region);
    EXPECT_EQ(ShownPicture(app.regionPictures[c.region]), Number(c.picture)) << c.region;
    EXPECT_EQ(app.regionPictures[c.region]->colour, c.tint) << c.region;
  }
  // Green then brown on the meadow: the brown shade replaces the green.
  Paint(kBrown, 1);
  EXPECT_EQ(app.regionPictures[1]->colour, 0xFF49270Cu);
  EXPECT_TRUE(app.coloured[1]);
}

TEST_F(PaintRules, WhiteIsTakenOnlyByItsRegions) {
  std::vector<int> takers;
  for (int k = 0; k < kRegionCount; ++k) {
    if (kRegions[k].ShadeFor(kWhite)) takers.push_back(k);
  }
  EXPECT_THAT(takers, ::testing::ElementsAre(14, 20, 24, 25, 26, 30, 31, 32, 34));
  // The program starts with white: the cloud takes it, the sky does not.
  EXPECT_EQ(app.selectedPaint, kWhite);
  app.PaintRegion(14);
  EXPECT_TRUE(app.coloured[14]);
  app.PaintRegion(0);
  EXPECT_FALSE(app.coloured[0]);
  EXPECT_NE(app.wrongPaintBlink, nullptr);
}

TEST_F(PaintRules, OverlaysComeWithTheirRegions) {
  EXPECT_TRUE(app.overlays[kHouseWindows]->IsHidden());
  EXPECT_TRUE(app.overlays[kCarWindows]->IsHidden());
  EXPECT_TRUE(app.overlays[kBoyFace]->IsHidden());
  Paint(kRed, 24);
  EXPECT_FALSE(app.overlays[kHouseWindows]->IsHidden());
  Paint(kRed, 30);
  EXPECT_FALSE(app.overlays[kCarWindows]->IsHidden());
  Paint(kRed, 34);
  EXPECT_FALSE(app.overlays[kBoyFace]->IsHidden());
}

TEST_F(PaintRules, RefusedPaintKeepsTheColourAndBlinksRedThenGoes) {
  Paint(kGreen, 1);
  const uint32_t green = app.regionPictures[1]->colour;
  Paint(kBlue, 1);
  EXPECT_EQ(app.regionPictures[1]->colour, green);
  EXPECT_TRUE(app.coloured[1]);
  WrongPaintBlink* blink = app.wrongPaintBlink;
  ASSERT_NE(blink, nullptr);
  Step();  // the blink becomes live just above the region
  EXPECT_EQ(screen->GetLayer(blink), kRegions[1].layer + 1);
  EXPECT_EQ(blink->GetRect(), app.regionPictures[1]->GetRect());

  // Tinted for 2/6 s, then plain and tinted by turns every 1/6 s.
  std::vector<uint32_t> looks;
  for (int sixth = 0; sixth < 7; ++sixth) {
    looks.push_back(blink->colour);
    clock.Advance(167);
    Step();
    if (!app.wrongPaintBlink) break;
  }
  EXPECT_THAT(looks, ::testing::ElementsAre(kBlinkTint, kBlinkTint, kBlinkPlain, kBlinkTint,
                                            kBlinkPlain, kBlinkTint, kBlinkPlain));
  Step();
  EXPECT_EQ(app.wrongPaintBlink, nullptr);  // gone one frame after its pass
}

TEST_F(PaintRules, SecondRefusalClosesTheFirstBlinkAndStopsTheFirstWarning) {
  Paint(kBlue, 18);
  WrongPaintBlink* first = app.wrongPaintBlink;
  const uint32_t warning = app.warningSound;
  ASSERT_NE(warning, 0u);
  EXPECT_TRUE(engineInstance->IsPlaying(warning));
  Step();
  Paint(kBlue, 27);
  ASSERT_NE(app.wrongPaintBlink, nullptr);
  Step();
  // The first blink left the screen; only the new one is there.
  int blinks = 0;
  bool firstStillThere = false;
  for (const auto& [layer, children] : screen->GetLayers()) {
    for (IMControl* c : children) {
      firstStillThere = firstStillThere || c == first;
      blinks += dynamic_cast<WrongPaintBlink*>(c) != nullptr;
    }
  }
  EXPECT_FALSE(firstStillThere);
  EXPECT_EQ(blinks, 1);
  EXPECT_EQ(app.warningSound, warning);  // one name, one id, started again
  EXPECT_TRUE(engineInstance->IsPlaying(warning));
}

TEST_F(PaintRules, ThirtyFiveDistinctRegionsFinishThePictureAndTheLastGivesNoPraise) {
  // Repeated clicks on one region never finish it.
  for (int i = 0; i < 40; ++i) Paint(kGreen, 1);
  EXPECT_EQ(app.rewards, 0);
  for (int k = 0; k < kRegionCount - 1; ++k) {
    Paint(kAccepted[k][0] - '0', k);
    clock.Advance(1);
  }
  EXPECT_EQ(app.rewards, 0);
  // Silence every phrase, then paint the last region: it starts none.
  for (int phrase = 0; phrase < kPraiseSoundCount; ++phrase) {
    engineInstance->Stop(engineInstance->LoadSound(Number(kFirstPraiseSound + phrase)));
  }
  Paint(kAccepted[34][0] - '0', 34);
  EXPECT_EQ(app.rewards, 1);
  EXPECT_EQ(app.rewardScreen, screen);
  for (int phrase = 0; phrase < kPraiseSoundCount; ++phrase) {
    EXPECT_FALSE(engineInstance->IsPlaying(engineInstance->LoadSound(Number(kFirstPraiseSound + phrase))));
  }
}

TEST_F(PaintRules, AcceptedPaintsAreMostlyPraised) {
  int praised = 0;
  for (int i = 0; i < 20; ++i) {
    clock.Advance(1);  // the phrase is chosen from the time
    Paint(kGreen, 1);
    for (int phrase = 0; phrase < kPraiseSoundCount; ++phrase) {
      const uint32_t id = engineInstance->LoadSound(Number(kFirstPraiseSound + phrase));
      if (engineInstance->IsPlaying(id)) {
        ++praised;
        engineInstance->Stop(id);
      }
    }
  }
  EXPECT_GT(praised, 8);
  EXPECT_LT(praised, 20);
}

}  // namespace
