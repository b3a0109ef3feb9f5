// The SDL backend on SDL's dummy video driver: a window with no desktop
// behind it. Input is pushed into SDL's queue by hand; what comes out of
// the backend shows the translation, the letterbox of the real window and
// the queue working together.

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/SdlWindow.h"
#include "tests/platform/window/MessageMatchers.h"
#include "tests/platform/window/ScopedEnvironment.h"

namespace platform {
namespace {

constexpr uint32_t kPrivateMessage = 0xC123;

std::vector<MSG> Drain(SdlWindow& window) {
  std::vector<MSG> got;
  MSG m;
  while (window.PeekMessage(&m)) got.push_back(m);
  return got;
}

void Push(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

class SdlWindowDummy : public ::testing::Test {
 protected:
  void SetUp() override { environment.Set("SDL_VIDEODRIVER", "dummy"); }

  testing::ScopedEnvironment environment;
};

TEST_F(SdlWindowDummy, CreateQueuesWhatAFreshlyShownWindowReceives) {
  SdlWindow window;
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, false, &error)) << error;
  EXPECT_TRUE(window.IsCreated());
  EXPECT_EQ(window.GetClientRect(), (RECT{0, 0, 800, 600}));
  const std::vector<MSG> got = Drain(window);
  ASSERT_GE(got.size(), 3u);
  EXPECT_EQ(got[0], (MSG{WM_SHOWWINDOW, 1, 0}));
  EXPECT_EQ(got[1], (MSG{WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600)}));
  EXPECT_EQ(got[2], (MSG{WM_PAINT, 0, 0}));
}

// The dummy display is 1024 x 768, so the full-screen picture is scaled by
// 1.28 with no bars.
TEST_F(SdlWindowDummy, InputArrivesInClientPixelsOfTheFullScreenPicture) {
  SdlWindow window;
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, false, &error)) << error;
  Drain(window);

  SDL_Event press{};
  press.button = SDL_MouseButtonEvent{SDL_MOUSEBUTTONDOWN, 0, 0, 0,   SDL_BUTTON_LEFT,
                                      SDL_PRESSED,         1, 0, 612, 484};
  Push(press);
  SDL_Event key{};
  key.key.type = SDL_KEYDOWN;
  key.key.state = SDL_PRESSED;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  key.key.keysym.sym = SDLK_ESCAPE;
  Push(key);
  SDL_Event text{};
  text.text.type = SDL_TEXTINPUT;
  std::strcpy(text.text.text, "\xD0\xB6");
  Push(text);

  EXPECT_EQ(Drain(window), (std::vector<MSG>{{WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(478, 378)},
                                             {WM_KEYDOWN, VK_ESCAPE, 1},
                                             {WM_CHAR, 27, 1},
                                             {WM_CHAR, 0x436, 1}}));
  EXPECT_EQ(window.ClientToScreen(POINT{0, 0}), (POINT{0, 0}));
}

TEST_F(SdlWindowDummy, ExposuresWaitingTogetherMakeOnePaint) {
  SdlWindow window;
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, true, &error)) << error;
  Drain(window);
  window.PostMessage(kPrivateMessage, 0, 0);
  for (int i = 0; i < 3; ++i) {
    SDL_Event exposed{};
    exposed.window.type = SDL_WINDOWEVENT;
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    Push(exposed);
  }
  EXPECT_EQ(Drain(window), (std::vector<MSG>{{kPrivateMessage, 0, 0}, {WM_PAINT, 0, 0}}));
}

TEST_F(SdlWindowDummy, AWindowedWindowIsCentredAndItsClientOriginIsItsPosition) {
  SdlWindow window;
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, true, &error)) << error;
  EXPECT_EQ(window.ClientToScreen(POINT{0, 0}), (POINT{112, 84}));
  EXPECT_EQ(window.ClientToScreen(POINT{10, 20}), (POINT{122, 104}));
}

class SdlWindowDummyWake : public SdlWindowDummy, public ::testing::WithParamInterface<bool> {};

// Whether the post comes before the wait or during it, the wait ends with
// the message there, long before its timeout.
TEST_P(SdlWindowDummyWake, APostFromAnotherThreadEndsAWait) {
  SdlWindow window;
  if (GetParam()) {
    std::string error;
    ASSERT_TRUE(window.Create(u"Проба", 800, 600, true, &error)) << error;
  }
  Drain(window);
  for (uint32_t round = 0; round < 20; ++round) {
    const auto start = std::chrono::steady_clock::now();
    std::thread poster([&] { window.PostMessage(kPrivateMessage, round, -5); });
    bool arrived = false;
    while (!arrived && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
      window.WaitMessage(60'000);
      for (const MSG& m : Drain(window)) arrived = arrived || m == MSG{kPrivateMessage, round, -5};
    }
    poster.join();
    ASSERT_TRUE(arrived) << "round " << round;
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  }
  // Nothing waiting: the wait ends by its timeout.
  window.WaitMessage(20);
}

INSTANTIATE_TEST_SUITE_P(SdlWindowDummyPosting, SdlWindowDummyWake, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                           return info.param ? "WithWindow" : "BeforeCreate";
                         });

TEST_F(SdlWindowDummy, ShowCursorKeepsTheDisplayCounter) {
  SdlWindow window;
  // The counter runs before the window exists and applies once it does.
  EXPECT_EQ(window.ShowCursor(false), -1);
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, false, &error)) << error;
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  struct Step {
    bool show;
    int32_t count;
    int shown;
  };
  for (const Step step :
       {Step{true, 0, SDL_ENABLE}, Step{true, 1, SDL_ENABLE}, Step{false, 0, SDL_ENABLE},
        Step{false, -1, SDL_DISABLE}, Step{false, -2, SDL_DISABLE}, Step{true, -1, SDL_DISABLE}}) {
    EXPECT_EQ(window.ShowCursor(step.show), step.count);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), step.shown) << "at count " << step.count;
  }
}

TEST_F(SdlWindowDummy, DestroyKeepsTheQueueAndTheWindowCanBeCreatedAgain) {
  SdlWindow window;
  std::string error;
  ASSERT_TRUE(window.Create(u"Проба", 800, 600, false, &error)) << error;
  window.Destroy();
  EXPECT_FALSE(window.IsCreated());
  window.PostMessage(WM_QUIT, 3, 0);
  std::vector<MSG> got = Drain(window);
  ASSERT_FALSE(got.empty());
  EXPECT_EQ(got.back(), (MSG{WM_QUIT, 3, 0}));

  ASSERT_TRUE(window.Create(u"Проба", 800, 600, true, &error)) << error;
  EXPECT_TRUE(window.IsCreated());
  got = Drain(window);
  ASSERT_GE(got.size(), 1u);
  EXPECT_EQ(got[0], (MSG{WM_SHOWWINDOW, 1, 0}));
}

struct MissingDisplay {
  const char* name;
  std::optional<std::string> driver;
  std::optional<std::string> display;
  const char* says;
};

void PrintTo(const MissingDisplay& c, std::ostream* os) { *os << c.name; }

class SdlWindowNoDisplay : public SdlWindowDummy,
                           public ::testing::WithParamInterface<MissingDisplay> {};

TEST_P(SdlWindowNoDisplay, CreateFailsWithOneLineSayingWhatIsMissing) {
  environment.Set("SDL_VIDEODRIVER", GetParam().driver);
  environment.Set("DISPLAY", GetParam().display);
  environment.Set("WAYLAND_DISPLAY", std::nullopt);
  SdlWindow window;
  std::string error;
  EXPECT_FALSE(window.Create(u"Проба", 800, 600, false, &error));
  EXPECT_FALSE(window.IsCreated());
  EXPECT_EQ(error.rfind("cannot open the window: no display (", 0), 0u) << error;
  EXPECT_NE(error.find(GetParam().says), std::string::npos) << error;
  EXPECT_EQ(error.find('\n'), std::string::npos) << error;

  // The same object opens a window once there is a display to open it on.
  environment.Set("SDL_VIDEODRIVER", "dummy");
  EXPECT_TRUE(window.Create(u"Проба", 800, 600, false, &error)) << error;
}

INSTANTIATE_TEST_SUITE_P(
    SdlWindowMissingDisplays, SdlWindowNoDisplay,
    ::testing::Values(MissingDisplay{"NoneSet", "x11", std::nullopt, "DISPLAY is not set"},
                      MissingDisplay{"Unreachable", "x11", ":9999", "DISPLAY=:9999"},
                      // SDL would settle for drawing into memory: that is
                      // no display either.
                      MissingDisplay{"NoDriverChosen", std::nullopt, std::nullopt,
                                     "DISPLAY is not set"}),
    [](const ::testing::TestParamInfo<MissingDisplay>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace platform
