// The game screen on its real pictures, played with the mouse through
// window messages.

#include <gmock/gmock.h>

#include <cstdlib>
#include <string>

#include "engine/render/StateView.h"
#include "tests/app/game/game_fixture.h"

using namespace game;

namespace {

std::u16string Number(int id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

// A paint each region looks good in.
constexpr int kPleasantPaint[kRegionCount] = {
    kLightBlue, kGreen, kGreen,  kGreen, kBlack,  kYellow, kGreen, kYellow, kGreen, kBlue,
    kGreen,     kGreen, kOrange, kYellow, kWhite, kGreen,  kGreen, kBrown,  kRed,   kYellow,
    kBlack,     kGreen, kYellow, kRed,   kYellow, kRed,    kOrange, kRed,   kBrown, kBlack,
    kLightBlue, kBrown, kBlue,   kYellow, kRed,
};

class GameScreen : public GameFixture {
 protected:
  void Frame() {
    root->SetDirty(true);
    Step();
  }
  // Writes the last frame where PESTREL_SCREENSHOTS points, for people to
  // look at.
  void Screenshot(const std::string& name) {
    if (const char* folder = std::getenv("PESTREL_SCREENSHOTS")) {
      Frame();
      device->SaveFramePng(std::string(folder) + "/" + name);
    }
  }
};

TEST_F(GameScreen, EveryRegionCanBeClickedAndPaintedWithEachOfItsPaints) {
  OpenGameScreen();
  Screenshot("game-blank.png");
  // Points that stay the region's once its overlay shows, too.
  for (IMPicture* overlay : app.overlays) overlay->Show();
  std::array<std::optional<POINT>, kRegionCount> points;
  for (int k = 0; k < kRegionCount; ++k) points[k] = ClickablePoint(app.regionPictures[k]);
  for (IMPicture* overlay : app.overlays) overlay->Hide();
  for (int k = 0; k < kRegionCount; ++k) {
    const auto& point = points[k];
    ASSERT_TRUE(point) << "region " << k << " (" << kRegions[k].depicts << ") cannot be clicked";
    for (const Shade& shade : kRegions[k].shades) {
      app.coloured[k] = false;
      ClickAt(WellPoint(shade.paint));
      ASSERT_EQ(app.selectedPaint, shade.paint);
      ClickAt(*point);
      EXPECT_TRUE(app.coloured[k]) << "region " << k << " paint " << shade.paint;
    }
    // Last the paint a child might choose, for the pictures of the result.
    ClickAt(WellPoint(kPleasantPaint[k]));
    ClickAt(*point);
    if (k == 17) Screenshot("game-half.png");
  }
  EXPECT_GE(app.rewards, 1);
  Screenshot("game-coloured.png");
}

TEST_F(GameScreen, ClicksPassThroughTransparentPixelsToThePictureBelow) {
  OpenGameScreen();
  // Between the apples on the left of the crown lies the crown.
  IMControl* apples = app.regionPictures[18];
  const RECT r = apples->GetRect();
  std::optional<POINT> between;
  for (int32_t y = r.top; y < r.bottom && !between; ++y) {
    for (int32_t x = r.left; x < r.right && !between; ++x) {
      if (TopmostAt(POINT{x, y}) == app.regionPictures[16]) between = POINT{x, y};
    }
  }
  ASSERT_TRUE(between);
  ClickAt(WellPoint(kGreen));
  ClickAt(*between);
  EXPECT_TRUE(app.coloured[16]);
  EXPECT_FALSE(app.coloured[18]);

  // Once the walls are painted, their window panes belong to the overlay.
  ClickAt(WellPoint(kRed));
  ClickAt(*ClickablePoint(app.regionPictures[24]));
  ASSERT_TRUE(app.coloured[24]);
  const auto pane = ClickablePoint(app.overlays[kHouseWindows]);
  ASSERT_TRUE(pane);
  ClickAt(WellPoint(kBlue));
  ClickAt(*pane);
  EXPECT_EQ(app.regionPictures[24]->colour, 0xFFFF0000u);  // still red
  EXPECT_EQ(app.wrongPaintBlink, nullptr);
}

TEST_F(GameScreen, RightAndMiddleClicksPaintLikeLeftOnes) {
  OpenGameScreen();
  ClickAt(WellPoint(kGreen));
  ClickAt(*ClickablePoint(app.regionPictures[10]), WM_RBUTTONDOWN, MK_RBUTTON);
  EXPECT_TRUE(app.coloured[10]);
  ClickAt(*ClickablePoint(app.regionPictures[11]), WM_MBUTTONDOWN, MK_MBUTTON);
  EXPECT_TRUE(app.coloured[11]);
}

TEST_F(GameScreen, BrushFollowsThePointerInPlaceOfTheSystemCursor) {
  window->PlaceCursor(300, 200);
  OpenGameScreen();
  EXPECT_FALSE(app.brush->IsHidden());
  EXPECT_EQ(app.brush->GetPosition(), (POINT{300, 200}));
  EXPECT_EQ(window->CursorDisplayCount(), -1);
  MoveTo(310, 250);
  EXPECT_EQ(app.brush->GetPosition(), (POINT{305, 213}));
  EXPECT_EQ(app.brush->GetRect().right - app.brush->GetRect().left, 34);
  // The brush never lies under the pointer.
  EXPECT_NE(TopmostAt(POINT{310, 250}), app.brush);

  ClickAt(WellPoint(kBlack));
  EXPECT_EQ(ShownPicture(app.brush), Number(kBlackBrushPicture));
  EXPECT_EQ(app.brush->colour, 0xFFFFFFFFu);
  ClickAt(WellPoint(kOrange));
  EXPECT_EQ(ShownPicture(app.brush), Number(kBrushPicture));
  EXPECT_EQ(app.brush->colour, 0xFFFF6600u);

  // Off the window the system cursor comes back and the brush goes.
  window->PlaceCursor(-5, 300);
  Step();
  EXPECT_TRUE(app.brush->IsHidden());
  EXPECT_EQ(window->CursorDisplayCount(), 0);
}

TEST_F(GameScreen, PointerOutsideKeepsTheSystemCursorUntilItComesIn) {
  OpenGameScreen();
  EXPECT_TRUE(app.brush->IsHidden());
  EXPECT_EQ(window->CursorDisplayCount(), 0);
  MoveTo(400, 300);
  EXPECT_FALSE(app.brush->IsHidden());
  EXPECT_EQ(window->CursorDisplayCount(), -1);
}

TEST_F(GameScreen, WellsShowTheirRingOnlyUnderThePointer) {
  OpenGameScreen();
  auto* well = dynamic_cast<IMStateView*>(TopmostAt(WellPoint(kRed)));
  ASSERT_NE(well, nullptr);
  EXPECT_EQ(ShownPicture(well), Number(kPaints[kRed].wellPicture));
  MoveTo(WellPoint(kRed).x, WellPoint(kRed).y);
  EXPECT_EQ(ShownPicture(well), Number(kPaints[kRed].highlightedPicture));
  MoveTo(WellPoint(kBlue).x, WellPoint(kBlue).y);
  EXPECT_EQ(ShownPicture(well), Number(kPaints[kRed].wellPicture));
}

TEST_F(GameScreen, NewScreenStartsBlankAndShowsTheKeptPaint) {
  OpenGameScreen();
  ClickAt(WellPoint(kPurple));
  ClickAt(*ClickablePoint(app.regionPictures[30]));
  ASSERT_TRUE(app.coloured[30]);
  OpenGameScreen();
  EXPECT_FALSE(app.coloured[30]);
  EXPECT_EQ(ShownPicture(app.regionPictures[30]), Number(kRegions[30].blankPicture));
  EXPECT_TRUE(app.overlays[kCarWindows]->IsHidden());
  EXPECT_EQ(app.selectedPaint, kPurple);
  EXPECT_EQ(app.brush->colour, 0xFF9900CCu);  // the new brush agrees with the kept paint
}

}  // namespace
