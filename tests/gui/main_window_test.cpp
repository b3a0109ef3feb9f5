// The window procedure and the main loop, on the headless window and the
// manual clock: timers, glides, hover polling, suspension, the close
// cascade and the frame protocol.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "engine/gui/MainWindow.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/res/ResourceManager.h"

using ::testing::ElementsAre;

namespace {

using Leaf = IMViewControl<IMEmptyView>;

class MainLoop : public ::testing::Test {
 protected:
  MainLoop() : useClock(clock) {
    window = static_cast<platform::HeadlessWindow*>(
        platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>()));
    platform::InstallDeviceBackend(device);
    root = CreateMainWindow(u"Игра", std::nullopt, false);
  }
  ~MainLoop() override {
    delete root;
    platform::InstallDeviceBackend(nullptr);
    platform::InstallWindowBackend(nullptr);
  }
  uint32_t Frames() const { return engineInstance->frameCount; }

  // Handles everything queued, then runs one idle pass (update, frame,
  // timers).
  LoopPass Step() {
    LoopPass pass;
    while ((pass = RunMessageLoopPass(root)) == LoopPass::Message) {
    }
    return pass;
  }
  void Post(uint32_t message, uint32_t wParam = 0, int32_t lParam = 0) {
    window->PostMessage(message, wParam, lParam);
  }
  void PostMouse(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    Post(message, keys, MakeLParam(x, y));
  }

  platform::ManualClock clock;
  platform::ScopedClock useClock;
  platform::DebugOutputCapture debugLines;  // the engine's "FPS: " line
  platform::HeadlessWindow* window = nullptr;
  std::shared_ptr<platform::HeadlessDeviceBackend> device =
      std::make_shared<platform::HeadlessDeviceBackend>();
  IMWindow* root = nullptr;
};

TEST_F(MainLoop, CreatesTheWindowAndTheRoot) {
  EXPECT_EQ(GetMainWindow(), root);
  EXPECT_EQ(window->Title(), u"Игра");
  EXPECT_FALSE(window->IsWindowed());
  EXPECT_EQ(root->GetRect(), (RECT{0, 0, 800, 600}));
  EXPECT_EQ(root->GetParent(), nullptr);
}

TEST_F(MainLoop, TimerFiresAtTheFirstPassAfterItsIntervalAndIsNotCaughtUp) {
  Step();
  const uint32_t id = root->AddTimer(1000);
  std::vector<uint32_t> firedAt;
  root->ConnectTimer(id, [&](const IMEvent& e) {
    EXPECT_EQ(e.source, root);
    EXPECT_EQ(e.type, kEventGeneric);
    firedAt.push_back(platform::timeGetTime());
    return 0L;
  });
  // (advance in ms, then one pass)
  // Passes at 999, 1000, 2500 (late), 3000 (the old beat), 3499, 3500.
  for (int ms : {999, 1, 1500, 500, 499, 1}) {
    clock.Advance(ms);
    Step();
  }
  // Late at 2500 it fires once, not once for every period it missed; the
  // next period starts from that late firing, not from the old beat.
  EXPECT_THAT(firedAt, ElementsAre(1000, 2500, 3500));
}

TEST_F(MainLoop, TimerAddedWhileFiringIsVisitedButFiresOnlyWithIntervalZero) {
  Step();
  std::vector<std::string> log;
  uint32_t first = root->AddTimer(10);
  root->ConnectTimer(first, [&](const IMEvent&) {
    log.push_back("first");
    root->RemoveTimer(first);
    const uint32_t later = root->AddTimer(10);
    root->ConnectTimer(later, [&](const IMEvent&) { log.push_back("later"); return 0L; });
    const uint32_t immediate = root->AddTimer(0);
    root->ConnectTimer(immediate, [&, immediate](const IMEvent&) {
      log.push_back("immediate");
      root->RemoveTimer(immediate);
      return 0L;
    });
    return 0L;
  });
  clock.Advance(10);
  Step();
  EXPECT_THAT(log, ElementsAre("first", "immediate"));
  EXPECT_EQ(root->TimerCount(), 1u);
  clock.Advance(10);
  Step();
  EXPECT_THAT(log, ElementsAre("first", "immediate", "later"));
}

TEST_F(MainLoop, TimerIdsZeroAndUnknownAreIgnored) {
  const uint32_t a = root->AddTimer(5);
  const uint32_t b = root->AddTimer(5);
  EXPECT_EQ(a, 1u);
  EXPECT_EQ(b, 2u);
  int fired = 0;
  EXPECT_FALSE(root->ConnectTimer(0, [&](const IMEvent&) { return ++fired; }).connected());
  EXPECT_FALSE(root->ConnectTimer(77, [&](const IMEvent&) { return ++fired; }).connected());
  root->RemoveTimer(0);
  root->RemoveTimer(77);
  EXPECT_EQ(root->TimerCount(), 2u);
  root->RemoveTimer(a);
  root->RemoveTimer(a);
  EXPECT_EQ(root->TimerCount(), 1u);
  EXPECT_EQ(root->AddTimer(5), 3u);  // ids are never reused
  clock.Advance(5);
  Step();
  EXPECT_EQ(fired, 0);
}

TEST_F(MainLoop, GlideMakesFiftyMovesTwentyMillisecondsApart) {
  window->SetClientOrigin(100, 50);
  Step();
  root->GlideTo(0.0f, 0.0f, 500, -100, nullptr);
  std::vector<POINT> expected;
  for (int move = 1; move <= 50; ++move) {
    clock.Advance(19);
    Step();
    ASSERT_EQ(window->CursorMoves().size(), static_cast<size_t>(move - 1)) << move;
    clock.Advance(1);
    Step();
    ASSERT_EQ(window->CursorMoves().size(), static_cast<size_t>(move)) << move;
  }
  // Screen positions: client origin plus 10 px right and 2 px up per move.
  EXPECT_EQ(window->CursorMoves().front(), (POINT{110, 48}));
  EXPECT_EQ(window->CursorMoves()[24], (POINT{350, 0}));
  EXPECT_EQ(window->CursorMoves().back(), (POINT{600, -50}));
  clock.Advance(1000);
  Step();
  EXPECT_EQ(window->CursorMoves().size(), 50u);
  EXPECT_EQ(root->TimerCount(), 0u);
}

TEST_F(MainLoop, GlideMovesAPictureAndStopsWhenThePictureGoesAway) {
  auto* picture = new Leaf(root, 0);
  picture->SetRect({0, 0, 40, 30});
  Step();
  root->GlideTo(10.0f, 20.0f, 110, 20, picture);
  for (int i = 0; i < 25; ++i) {
    clock.Advance(20);
    Step();
  }
  EXPECT_EQ(picture->GetRect(), (RECT{60, 20, 100, 50}));
  EXPECT_TRUE(window->CursorMoves().empty());
  picture->Close();
  Step();  // deleted: the glide's next move has nobody to move
  clock.Advance(20);
  Step();
  clock.Advance(20);
  Step();
}

TEST_F(MainLoop, PointerLeavingTheClientIsNoticedWithoutAMouseMove) {
  auto* child = new Leaf(root, 0);
  child->SetRect({0, 0, 100, 100});
  Step();
  window->PlaceCursor(10, 10);
  PostMouse(WM_MOUSEMOVE, 0, 10, 10);
  Step();
  EXPECT_TRUE(root->IsMouseOver());
  EXPECT_EQ(root->GetHovered(), child);
  std::vector<IMMouseEvent> left;
  child->ConnectMouseLeft([&](const IMMouseEvent& e) { left.push_back(e); return 0L; });

  window->PlaceCursor(-3, 10);  // off the window, no message
  Step();
  EXPECT_FALSE(root->IsMouseOver());
  EXPECT_FALSE(child->IsMouseOver());
  EXPECT_EQ(root->GetHovered(), nullptr);
  ASSERT_EQ(left.size(), 1u);
  EXPECT_EQ(left[0].type, kEventMouseLeave);
  EXPECT_EQ(left[0].x, -3);  // screen position of the pointer
  EXPECT_EQ(left[0].wParam, 0u);
}

TEST_F(MainLoop, SuspendedWindowStopsDrawingButNotUpdatesOrTimers) {
  Step();
  int updates = 0;
  int fired = 0;
  root->ConnectUpdated([&](const IMEvent&) { return ++updates; });
  root->ConnectTimer(root->AddTimer(10), [&](const IMEvent&) { return ++fired; });

  struct Case {
    uint32_t message, wParam;
    bool suspended;
  } cases[] = {
      {WM_SIZE, SIZE_MINIMIZED, true}, {WM_SIZE, SIZE_RESTORED, false},
      {WM_SHOWWINDOW, 0, true},        {WM_SHOWWINDOW, 1, false},
      {WM_ENTERSIZEMOVE, 0, true},     {WM_EXITSIZEMOVE, 0, false},
  };
  for (const auto& c : cases) {
    Post(c.message, c.wParam);
    root->SetDirty(true);
    const int presents = device->PresentCount();
    const uint32_t frames = Frames();
    const int updatesBefore = updates;
    const int firedBefore = fired;
    clock.Advance(10);
    Step();
    EXPECT_EQ(root->IsSuspended(), c.suspended) << c.message;
    EXPECT_EQ(device->PresentCount(), presents + (c.suspended ? 0 : 1)) << c.message;
    EXPECT_EQ(Frames(), frames + (c.suspended ? 0 : 1)) << c.message;
    EXPECT_EQ(updates, updatesBefore + 1) << c.message;
    EXPECT_EQ(fired, firedBefore + 1) << c.message;
  }
}

TEST_F(MainLoop, FrameIsDrawnOnlyWhenDirtyAndTheCounterCountsPasses) {
  Step();  // the first paint marks the tree dirty: one frame
  EXPECT_EQ(device->PresentCount(), 1);
  EXPECT_EQ(device->PixelAt(400, 300), 0xFF000000u);  // cleared to opaque black
  const uint32_t frames = Frames();
  for (int i = 0; i < 5; ++i) Step();
  EXPECT_EQ(device->PresentCount(), 1);
  EXPECT_EQ(Frames(), frames + 5);
  auto* child = new Leaf(root, 0);  // adding marks the root
  Step();
  EXPECT_EQ(device->PresentCount(), 2);
  child->SetRect({1, 2, 3, 4});
  Step();
  EXPECT_EQ(device->PresentCount(), 3);
  EXPECT_FALSE(root->IsDirty());
  EXPECT_EQ(Frames(), frames + 7);
}

TEST_F(MainLoop, LostDeviceSkipsTheTreeAndDropsMovesUntilAPaintRestoresIt) {
  auto* child = new Leaf(root, 0);
  child->SetRect({0, 0, 100, 100});
  Step();
  int updates = 0;
  root->ConnectUpdated([&](const IMEvent&) { return ++updates; });
  const int presents = device->PresentCount();

  device->LoseDevices();
  device->FailDeviceCreations(1);
  PostMouse(WM_MOUSEMOVE, 0, 10, 10);
  Post(WM_PAINT);  // restoring fails
  Step();
  EXPECT_EQ(root->GetHovered(), nullptr);
  EXPECT_EQ(updates, 0);
  EXPECT_EQ(device->PresentCount(), presents);

  Post(WM_PAINT);
  Step();
  EXPECT_FALSE(engineInstance->IsDeviceLost());
  EXPECT_EQ(updates, 1);
  EXPECT_EQ(device->PresentCount(), presents + 1);  // the restored device shows a whole frame
  PostMouse(WM_MOUSEMOVE, 0, 10, 10);
  Step();
  EXPECT_EQ(root->GetHovered(), child);
}

TEST_F(MainLoop, FastSecondRightPressReachesTheTreeAsDownUpUp) {
  auto* child = new Leaf(root, 0);
  child->SetRect({0, 0, 100, 100});
  Step();
  std::vector<int32_t> seen;
  child->ConnectMouseButton([&](const IMMouseEvent& e) {
    seen.push_back(e.type);
    return 0L;
  });
  PostMouse(WM_MOUSEMOVE, 0, 5, 5);
  PostMouse(WM_RBUTTONDOWN, MK_RBUTTON, 5, 5);
  PostMouse(WM_RBUTTONUP, 0, 5, 5);
  PostMouse(WM_RBUTTONDBLCLK, MK_RBUTTON, 5, 5);
  PostMouse(WM_RBUTTONUP, 0, 5, 5);
  PostMouse(WM_MBUTTONDBLCLK, MK_MBUTTON, 5, 5);
  Post(WM_DEADCHAR, '^');
  Step();
  EXPECT_THAT(seen, ElementsAre(WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONUP));
}

TEST_F(MainLoop, KeysAndButtonsReachTheTreeWithTheirParameters) {
  std::vector<IMKeyboardEvent> keys;
  root->ConnectKeyMessage([&](const IMKeyboardEvent& e) {
    keys.push_back(e);
    return 0L;
  });
  std::vector<IMMouseEvent> buttons;
  root->ConnectMouseButton([&](const IMMouseEvent& e) {
    buttons.push_back(e);
    return 0L;
  });
  Post(WM_SYSKEYDOWN, 0x73, 0x203E0001);
  Post(WM_CHAR, 0x0430, 1);
  PostMouse(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, -5, 700);
  Post(WM_MOUSEWHEEL, (static_cast<uint32_t>(-120) << 16), MakeLParam(1200, 900));
  Step();
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].type, static_cast<int32_t>(WM_SYSKEYDOWN));
  EXPECT_EQ(keys[0].wParam, 0x73u);
  EXPECT_EQ(keys[0].lParam, 0x203E0001);
  EXPECT_EQ(keys[1].GetText(), u"а");
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(buttons[0].x, -5);
  EXPECT_EQ(buttons[0].y, 700);
  EXPECT_EQ(buttons[0].wParam, MK_LBUTTON | MK_SHIFT);
  // The wheel's position is the screen's, passed on as it came.
  EXPECT_EQ(buttons[1].x, 1200);
  EXPECT_EQ(buttons[1].y, 900);
  EXPECT_EQ(WheelDelta(buttons[1].wParam), -120);
}

TEST_F(MainLoop, CloseRequestClosesTheWholeTreeThenEndsTheLoop) {
  auto* screen = new IMDialogBase(root);
  auto* leaf = new Leaf(screen, 0);
  Step();
  Step();
  std::vector<std::string> log;
  screen->ConnectUpdated([&](const IMEvent&) { log.push_back("screen updated"); return 0L; });
  leaf->ConnectUpdated([&](const IMEvent&) { log.push_back("leaf updated"); return 0L; });
  int dispatched = 0;
  root->SetMessageDispatcher([&](const platform::MSG&) { ++dispatched; });

  Post(WM_CLOSE);
  EXPECT_EQ(RunMessageLoopPass(root), LoopPass::Message);
  EXPECT_FALSE(window->IsCreated());
  // The cascade cut every slot below the root; the next update deletes them.
  root->Update(IMEvent(root, kEventUpdate));
  EXPECT_TRUE(log.empty());
  EXPECT_TRUE(root->GetLayers().empty());
  EXPECT_EQ(RunMessageLoopPass(root), LoopPass::Quit);
  EXPECT_EQ(dispatched, 2);  // the close request and the destruction that followed
}

TEST_F(MainLoop, MessagePostedFromAnotherThreadArrives) {
  const uint32_t registered = platform::RegisterWindowMessageW(u"WM_IM_TEST");
  EXPECT_GE(registered, 0xC000u);
  EXPECT_EQ(platform::RegisterWindowMessageW(u"WM_IM_TEST"), registered);
  EXPECT_NE(platform::RegisterWindowMessageW(u"WM_IM_OTHER"), registered);
  std::vector<uint32_t> seen;
  root->SetMessageDispatcher([&](const platform::MSG& m) {
    if (m.message == registered) seen.push_back(m.wParam);
  });
  std::thread poster([&] { platform::PostMessageW(registered, 42, 0); });
  poster.join();
  Step();
  EXPECT_THAT(seen, ElementsAre(42u));
}

TEST(MainWindowCreation, FailureSaysWhyAndExitsWithCodeOne) {
  EXPECT_EXIT(
      {
        auto* w = static_cast<platform::HeadlessWindow*>(
            platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>()));
        w->FailNextCreate("cannot open the window: no display");
        CreateMainWindow(u"Игра", std::nullopt, false);
      },
      ::testing::ExitedWithCode(1), "Игра: cannot open the window: no display");
  EXPECT_EXIT(
      {
        platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>());
        auto device = std::make_shared<platform::HeadlessDeviceBackend>();
        device->FailDeviceCreations(1);
        platform::InstallDeviceBackend(device);
        CreateMainWindow(u"Игра", std::nullopt, false);
      },
      ::testing::ExitedWithCode(1), "cannot draw on this display: Не могу создать устройство");
}

}  // namespace
