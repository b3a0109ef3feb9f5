// The game screen: background, palette wells, the regions, the overlays
// and the paint-bucket brush that follows the pointer.

#include <boost/bind/bind.hpp>

#include <string>

#include "app/App.h"
#include "engine/gui/Button.h"
#include "engine/gui/MainWindow.h"
#include "engine/platform/window/Window.h"

using namespace game;
using boost::placeholders::_1;

namespace {

std::u16string Number(int id) {
  const std::string digits = std::to_string(id);
  return std::u16string(digits.begin(), digits.end());
}

// The pointer sits 5 px right of the bucket's left edge and 2 px below its
// bottom, where the poured paint ends, so the brush never takes a click.
constexpr int32_t kBrushOffsetX = 5;
constexpr int32_t kBrushOffsetY = 37;

}  // namespace

App::App() = default;

App::~App() { platform::ShowCursor(true); }

void App::BuildGameScreen(IMDialogBase* screen) {
  gameScreen = screen;
  coloured.fill(false);
  screen->CreatePicture(0, 0, Number(kBackgroundPicture), 0);
  screen->ConnectMouseMoved(boost::bind(&App::MoveBrush, this, _1));

  for (int i = 0; i < kPaintCount; ++i) {
    const PaintRow& paint = kPaints[i];
    const std::u16string ring = Number(paint.highlightedPicture);
    auto* well = screen->CreateButton(paint.x, paint.y, Number(paint.wellPicture), ring, ring,
                                      ring, 1);
    well->ConnectClicked([this, i](const IMMouseEvent&) {
      SelectPaint(i);
      return 0L;
    });
  }

  for (int k = 0; k < kRegionCount; ++k) {
    const RegionRow& row = kRegions[k];
    IMPicture* region = screen->CreatePicture(row.x, row.y, Number(row.blankPicture), row.layer);
    regionPictures[k] = region;
    region->ConnectClicked([this, k](const IMMouseEvent&) {
      PaintRegion(k);
      return 0L;
    });
    const int overlayAfter = k == 25 ? kHouseWindows : k == 30 ? kCarWindows : k == 34 ? kBoyFace : -1;
    if (overlayAfter >= 0) {
      const OverlayRow& overlay = kOverlays[overlayAfter];
      overlays[overlayAfter] =
          screen->CreatePicture(overlay.x, overlay.y, Number(overlay.picture), overlay.layer);
      overlays[overlayAfter]->Hide();
    }
  }

  screen->ConnectUpdated(boost::bind(&App::RemoveFinishedBlink, this, _1));
  brush = screen->CreatePicture(0, 0, Number(kBrushPicture), 1000);
  screen->ConnectMouseEntered(boost::bind(&App::EnterGameScreen, this, _1));
  screen->ConnectMouseLeft(boost::bind(&App::LeaveGameScreen, this, _1));
  brush->Hide();
  // A new screen in the same run shows the paint the pupil chose last.
  UpdateBrushLook();

  // A pointer already over the window gets the brush at once.
  const POINT cursor = platform::GetCursorPos();
  const POINT origin = platform::ClientToScreen(POINT{0, 0});
  const int32_t x = cursor.x - origin.x;
  const int32_t y = cursor.y - origin.y;
  if (x >= 1 && x <= 799 && y >= 1 && y <= 599) {
    HideSystemCursor();
    brush->Show();
    brush->MoveTo(POINT{x, y});
  }
  CloseBlink();
}

long App::MoveBrush(const IMMouseEvent& e) {
  if (brush) brush->MoveTo(POINT{e.x - kBrushOffsetX, e.y - kBrushOffsetY});
  return 0;
}

long App::EnterGameScreen(const IMMouseEvent&) {
  HideSystemCursor();
  if (brush) brush->Show();
  return 0;
}

long App::LeaveGameScreen(const IMMouseEvent&) {
  ShowSystemCursor();
  if (brush) brush->Hide();
  return 0;
}

// The pointer already over the window when the screen opens is hidden by
// the opening and would be hidden again by the first enter; the display
// counter must come back to where it was when the pointer leaves, so the
// game hides it once and shows it once.
void App::HideSystemCursor() {
  if (cursorHiddenByGame) return;
  platform::ShowCursor(false);
  cursorHiddenByGame = true;
}

void App::ShowSystemCursor() {
  if (!cursorHiddenByGame) return;
  platform::ShowCursor(true);
  cursorHiddenByGame = false;
}

void App::UpdateBrushLook() {
  if (!brush) return;
  if (selectedPaint == kBlack) {
    brush->SetTexture(Number(kBlackBrushPicture));
    brush->colour = 0xFFFFFFFFu;
  } else {
    brush->SetTexture(Number(kBrushPicture));
    brush->colour = brushColour;
  }
  brush->SetDirty(true);
}
