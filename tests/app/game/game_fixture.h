#pragma once
// The game screen of the real program, on the headless window, device and
// sound output with the manual clock, driven through window messages.

#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "app/App.h"
#include "engine/gui/MainWindow.h"
#include "engine/res/ResourceManager.h"
#include "tests/support/headless_program.h"

// The game with the reward recorded instead of shown.
class RecordingApp : public App {
 public:
  void ShowReward(IMDialogBase* screen) override {
    ++rewards;
    rewardScreen = screen;
  }
  int rewards = 0;
  IMDialogBase* rewardScreen = nullptr;
};

class GameFixture : public HeadlessProgramTest {
 protected:
  GameFixture() {
    window->PlaceCursor(-100, -100);  // outside the window until a test moves it
    root = CreateMainWindow(u"Игра «Пестрель»", std::nullopt, false);
    Step();
  }
  ~GameFixture() override {
    delete root;
    appHolder.reset();  // its destructor still talks to the window
  }

  // A fresh game screen in place of the last one, live after one pass.
  void OpenGameScreen() {
    if (screen) screen->Close();
    screen = new IMDialogBase(root);
    app.BuildGameScreen(screen);
    Step();
  }
  // Handles what is queued, then one idle pass.
  void Step() {
    while (RunMessageLoopPass(root) == LoopPass::Message) {
    }
  }
  void Post(uint32_t message, uint32_t wParam, int32_t x, int32_t y) {
    window->PostMessage(message, wParam, MakeLParam(x, y));
  }
  void MoveTo(int32_t x, int32_t y) {
    window->PlaceCursor(x, y);
    Post(WM_MOUSEMOVE, 0, x, y);
    Step();
  }
  // A click with the left (or another) button at a screen position.
  void ClickAt(POINT p, uint32_t down = WM_LBUTTONDOWN, uint32_t keys = MK_LBUTTON) {
    MoveTo(p.x, p.y);
    Post(down, keys, p.x, p.y);
    Post(down + 1, 0, p.x, p.y);
    Step();
  }
  // The control of the game screen a click at p reaches: the topmost one
  // whose hit test takes the point.
  IMControl* TopmostAt(POINT p) const {
    const auto& layers = screen->GetLayers();
    for (auto layer = layers.rbegin(); layer != layers.rend(); ++layer) {
      for (auto c = layer->second.rbegin(); c != layer->second.rend(); ++c) {
        if ((*c)->HitTest(p.x, p.y)) return *c;
      }
    }
    return nullptr;
  }
  // A point where a click reaches `target`, the one nearest the middle of
  // its rectangle on a grid of `step` pixels.
  std::optional<POINT> ClickablePoint(IMControl* target, int32_t step = 2) const {
    const RECT r = target->GetRect();
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    std::optional<POINT> best;
    int64_t bestDistance = 0;
    for (int32_t y = r.top; y < r.bottom; y += step) {
      for (int32_t x = r.left; x < r.right; x += step) {
        if (TopmostAt(POINT{x, y}) != target) continue;
        const int64_t d = int64_t{x - centre.x} * (x - centre.x) + int64_t{y - centre.y} * (y - centre.y);
        if (!best || d < bestDistance) {
          best = POINT{x, y};
          bestDistance = d;
        }
      }
    }
    return best;
  }
  POINT WellPoint(int paint) const {
    return POINT{game::kPaints[paint].x + 29, game::kPaints[paint].y + 29};
  }
  std::u16string ShownPicture(IMTextureView* view) const {
    return view->hasTexture ? engineInstance->Entry(view->texture)->name : u"";
  }

  IMWindow* root = nullptr;
  IMDialogBase* screen = nullptr;
  std::unique_ptr<RecordingApp> appHolder = std::make_unique<RecordingApp>();
  RecordingApp& app = *appHolder;
};
