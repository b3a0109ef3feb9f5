// The SDL backend on a real X server: a private Xvfb with no window
// manager, driven with xdotool. This is where the full-screen window must
// really cover the screen, and where pointer positions, keys and the
// presented picture are checked against what the X server itself says.
//
// Waiting here is for another process: every wait polls the queue up to a
// deadline.

#include <gtest/gtest.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <vector>

#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/SdlWindow.h"
#include "tests/platform/window/MessageMatchers.h"
#include "tests/platform/window/Programs.h"
#include "tests/platform/window/ScopedEnvironment.h"
#include "tests/platform/window/XvfbServer.h"

namespace platform {
namespace {

using testing::HaveProgram;
using testing::RunProgram;

// Generous, for a loaded machine: a passing test waits only as long as the
// X server takes.
constexpr auto kDeadline = std::chrono::seconds(10);
// The first frame waits for the software OpenGL driver to compile its
// shaders, which under the sanitizers takes seconds of its own.
constexpr auto kFirstFrameDeadline = std::chrono::seconds(40);
const std::u16string kTitle = u"Раскраска: проба окна";
const char* const kTitleUtf8 =
    "\xD0\xA0\xD0\xB0\xD1\x81\xD0\xBA\xD1\x80\xD0\xB0\xD1\x81\xD0\xBA"
    "\xD0\xB0: \xD0\xBF\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB0 \xD0\xBE\xD0\xBA"
    "\xD0\xBD\xD0\xB0";

struct Click {
  POINT screen;  // real pixels on the X screen
  POINT client;  // where the message must say it was
};

struct Screen {
  int32_t width;
  int32_t height;
  RECT picture;  // where the 800 x 600 picture must be drawn
  std::vector<Click> clicks;
};

void PrintTo(const Screen& screen, std::ostream* os) {
  *os << screen.width << "x" << screen.height;
}

// "KEY=value" lines, as xdotool's --shell output gives them.
std::map<std::string, std::string> ShellValues(const std::string& text) {
  std::map<std::string, std::string> values;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    const size_t equals = line.find('=');
    if (equals != std::string::npos) values[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return values;
}

bool IsKeyboardMessage(uint32_t message) {
  return message == WM_KEYDOWN || message == WM_KEYUP || message == WM_SYSKEYDOWN ||
         message == WM_SYSKEYUP || message == WM_CHAR;
}

bool IsButtonMessage(uint32_t message) {
  return message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK;
}

// The Mesa driver behind SDL's OpenGL renderer never gives back its
// one-time set-up and the shaders it compiles for its first drawing. It is
// unloaded by the time the leak checker reports, so no suppression can name
// it (libdbus's leak is suppressed by name, see leak_suppressions.cpp); the
// checker looks away while the window is created and while a frame is
// presented instead, and only then.
class LeakCheckPause {
 public:
#if defined(__SANITIZE_ADDRESS__)
  LeakCheckPause() { __lsan_disable(); }
  ~LeakCheckPause() { __lsan_enable(); }
#else
  LeakCheckPause() {}
#endif
  LeakCheckPause(const LeakCheckPause&) = delete;
  LeakCheckPause& operator=(const LeakCheckPause&) = delete;
};

class SdlWindowXvfb : public ::testing::TestWithParam<Screen> {
 protected:
  void SetUp() override {
    if (!HaveProgram("Xvfb") || !HaveProgram("xdotool")) {
      GTEST_SKIP() << "Xvfb and xdotool are needed for the X server tests";
    }
    std::string error;
    server = testing::XvfbServer::Start(GetParam().width, GetParam().height, &error);
    ASSERT_NE(server, nullptr) << error;
    // The test environment picks SDL's dummy driver for everything else.
    environment.Set("SDL_VIDEODRIVER", "x11");
    environment.Set("DISPLAY", server->Display());
    environment.Set("WAYLAND_DISPLAY", std::nullopt);
    window = std::make_unique<SdlWindow>();
    bool created = false;
    {
      const LeakCheckPause pause;
      created = window->Create(kTitle, 800, 600, false, &error);
    }
    ASSERT_TRUE(created) << error;
    const std::vector<MSG> first =
        CollectUntil([](const std::vector<MSG>& got) { return got.size() >= 3; });
    ASSERT_GE(first.size(), 3u);
    EXPECT_EQ(first[0], (MSG{WM_SHOWWINDOW, 1, 0}));
    EXPECT_EQ(first[1], (MSG{WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600)}));
    EXPECT_EQ(first[2], (MSG{WM_PAINT, 0, 0}));
  }

  void TearDown() override {
    window.reset();
    server.reset();
  }

  // Takes messages until `done` is satisfied with what has come, or the
  // deadline passes.
  std::vector<MSG> CollectUntil(const std::function<bool(const std::vector<MSG>&)>& done) {
    std::vector<MSG> got;
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (!done(got) && std::chrono::steady_clock::now() < deadline) {
      window->WaitMessage(100);
      MSG m;
      while (window->PeekMessage(&m)) got.push_back(m);
    }
    return got;
  }

  static void Xdotool(const std::vector<std::string>& arguments, std::string* output = nullptr) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ASSERT_EQ(RunProgram(command, output), 0) << "xdotool " << arguments.front();
  }

  // The client pixel the picture shows at a real screen pixel, worked out
  // from where the picture must be.
  static POINT ClientAt(POINT screen) {
    const RECT& p = GetParam().picture;
    auto map = [](int32_t offset, int32_t size, int32_t client) {
      const int64_t scaled = int64_t{offset} * client;
      return static_cast<int32_t>(scaled >= 0 ? scaled / size : -((-scaled + size - 1) / size));
    };
    return POINT{map(screen.x - p.left, p.right - p.left, 800),
                 map(screen.y - p.top, p.bottom - p.top, 600)};
  }

  testing::ScopedEnvironment environment;
  std::unique_ptr<testing::XvfbServer> server;
  std::unique_ptr<SdlWindow> window;
};

TEST_P(SdlWindowXvfb, TheFullScreenWindowCoversTheWholeScreen) {
  // Ours is the only window with a name on this server.
  std::string found;
  Xdotool({"search", "--name", "."}, &found);
  const std::string id = found.substr(0, found.find('\n'));
  std::string geometry;
  Xdotool({"getwindowgeometry", "--shell", id}, &geometry);
  const auto values = ShellValues(geometry);
  EXPECT_EQ(values.at("X"), "0");
  EXPECT_EQ(values.at("Y"), "0");
  EXPECT_EQ(values.at("WIDTH"), std::to_string(GetParam().width));
  EXPECT_EQ(values.at("HEIGHT"), std::to_string(GetParam().height));
  std::string name;
  Xdotool({"getwindowname", id}, &name);
  EXPECT_EQ(name, std::string(kTitleUtf8) + "\n");
}

TEST_P(SdlWindowXvfb, ClicksArriveAtTheClientPointTheLetterboxShows) {
  for (const Click& click : GetParam().clicks) {
    Xdotool({"mousemove", std::to_string(click.screen.x), std::to_string(click.screen.y), "click",
             "1"});
    const std::vector<MSG> got = CollectUntil([](const std::vector<MSG>& got) {
      return std::any_of(got.begin(), got.end(),
                         [](const MSG& m) { return m.message == WM_LBUTTONUP; });
    });
    std::vector<MSG> buttons;
    std::copy_if(got.begin(), got.end(), std::back_inserter(buttons),
                 [](const MSG& m) { return IsButtonMessage(m.message); });
    const int32_t at = MakeLParam(click.client.x, click.client.y);
    EXPECT_EQ(buttons, (std::vector<MSG>{{WM_LBUTTONDOWN, MK_LBUTTON, at}, {WM_LBUTTONUP, 0, at}}))
        << "at screen " << click.screen.x << "," << click.screen.y;
  }
}

TEST_P(SdlWindowXvfb, AQuickSecondClickIsADoubleClick) {
  Xdotool({"mousemove", "300", "200", "click", "--repeat", "2", "--delay", "80", "1"});
  const std::vector<MSG> got = CollectUntil([](const std::vector<MSG>& got) {
    return std::count_if(got.begin(), got.end(),
                         [](const MSG& m) { return m.message == WM_LBUTTONUP; }) >= 2;
  });
  std::vector<uint32_t> buttons;
  for (const MSG& m : got) {
    if (IsButtonMessage(m.message)) buttons.push_back(m.message);
  }
  EXPECT_EQ(buttons,
            (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

struct Typing {
  const char* layout;  // the keyboard layout the keys are pressed in
  std::vector<std::string> xdotool;
  std::vector<std::pair<uint32_t, uint32_t>> messages;  // message, wParam
};

TEST_P(SdlWindowXvfb, KeysArriveAsVirtualKeysAndTypedCharacters) {
  if (!HaveProgram("setxkbmap")) GTEST_SKIP() << "setxkbmap is needed to switch layouts";
  // xdotool lets go of the keys of a combination in the order it names
  // them, so the modifier goes up first.
  const std::vector<Typing> cases{
      {"us", {"key", "Escape"}, {{WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}, {WM_KEYUP, VK_ESCAPE}}},
      {"us", {"type", "a"}, {{WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 'A'}}},
      {"us", {"key", "F1"}, {{WM_KEYDOWN, VK_F1}, {WM_KEYUP, VK_F1}}},
      {"us", {"key", "Return"}, {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}, {WM_KEYUP, VK_RETURN}}},
      {"us", {"key", "KP_Enter"}, {{WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13}, {WM_KEYUP, VK_RETURN}}},
      {"us", {"key", "BackSpace"}, {{WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8}, {WM_KEYUP, VK_BACK}}},
      {"us", {"key", "Left"}, {{WM_KEYDOWN, VK_LEFT}, {WM_KEYUP, VK_LEFT}}},
      {"us",
       {"key", "shift+a"},
       {{WM_KEYDOWN, VK_SHIFT},
        {WM_KEYDOWN, 'A'},
        {WM_CHAR, 'A'},
        {WM_KEYUP, VK_SHIFT},
        {WM_KEYUP, 'A'}}},
      {"us",
       {"key", "ctrl+c"},
       {{WM_KEYDOWN, VK_CONTROL},
        {WM_KEYDOWN, 'C'},
        {WM_CHAR, 3},
        {WM_KEYUP, VK_CONTROL},
        {WM_KEYUP, 'C'}}},
      // With Alt already up, X's release is an ordinary key-up.
      {"us",
       {"key", "alt+x"},
       {{WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYDOWN, 'X'}, {WM_SYSKEYUP, VK_MENU}, {WM_KEYUP, 'X'}}},
      // A Russian layout types Cyrillic on the same keys, which keep the
      // codes of their positions.
      {"ru",
       {"key", "Cyrillic_zhe"},
       {{WM_KEYDOWN, VK_OEM_1}, {WM_CHAR, 0x436}, {WM_KEYUP, VK_OEM_1}}},
      {"ru", {"key", "Cyrillic_shorti"}, {{WM_KEYDOWN, 'Q'}, {WM_CHAR, 0x439}, {WM_KEYUP, 'Q'}}},
  };
  std::string layout = "us";
  for (const Typing& typing : cases) {
    if (layout != typing.layout) {
      layout = typing.layout;
      ASSERT_EQ(RunProgram({"setxkbmap", "-layout", layout}), 0);
    }
    Xdotool(typing.xdotool);
    const size_t wanted = typing.messages.size();
    const std::vector<MSG> got = CollectUntil([&](const std::vector<MSG>& got) {
      return static_cast<size_t>(std::count_if(got.begin(), got.end(), [](const MSG& m) {
               return IsKeyboardMessage(m.message);
             })) >= wanted;
    });
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    for (const MSG& m : got) {
      if (IsKeyboardMessage(m.message)) keys.emplace_back(m.message, m.wParam);
    }
    EXPECT_EQ(keys, typing.messages) << "xdotool " << typing.xdotool.back();
  }
}

TEST_P(SdlWindowXvfb, HeldKeysAreSeenWhileTheyAreHeld) {
  Xdotool({"keydown", "ctrl"});
  CollectUntil([](const std::vector<MSG>& got) {
    return std::any_of(got.begin(), got.end(),
                       [](const MSG& m) { return m.message == WM_KEYDOWN; });
  });
  EXPECT_TRUE(window->IsKeyDown(VK_CONTROL));
  EXPECT_TRUE(window->IsKeyDown(VK_LCONTROL));
  EXPECT_FALSE(window->IsKeyDown(VK_SHIFT));
  Xdotool({"keyup", "ctrl"});
  CollectUntil([](const std::vector<MSG>& got) {
    return std::any_of(got.begin(), got.end(), [](const MSG& m) { return m.message == WM_KEYUP; });
  });
  EXPECT_FALSE(window->IsKeyDown(VK_CONTROL));
}

TEST_P(SdlWindowXvfb, TheCursorAgreesWithMouseMessagesAndTheRealPointer) {
  for (const POINT client : {POINT{0, 0}, POINT{478, 378}, POINT{799, 599}, POINT{400, 1}}) {
    window->SetCursorPos(window->ClientToScreen(client).x, window->ClientToScreen(client).y);
    const int32_t at = MakeLParam(client.x, client.y);
    const std::vector<MSG> got = CollectUntil([&](const std::vector<MSG>& got) {
      return std::any_of(got.begin(), got.end(),
                         [&](const MSG& m) { return m.message == WM_MOUSEMOVE && m.lParam == at; });
    });
    EXPECT_TRUE(
        std::any_of(got.begin(), got.end(),
                    [&](const MSG& m) { return m.message == WM_MOUSEMOVE && m.lParam == at; }))
        << "no mouse move at " << client.x << "," << client.y;
    const POINT cursor = window->GetCursorPos();
    const POINT origin = window->ClientToScreen(POINT{0, 0});
    EXPECT_EQ((POINT{cursor.x - origin.x, cursor.y - origin.y}), client);
    std::string location;
    Xdotool({"getmouselocation", "--shell"}, &location);
    const auto values = ShellValues(location);
    const POINT real{std::stoi(values.at("X")), std::stoi(values.at("Y"))};
    EXPECT_EQ(ClientAt(real), client) << "the pointer is really at " << real.x << "," << real.y;
  }
}

// Quadrants of red, green, blue and white, in memory order B, G, R, A. The
// white one has alpha 0, which must not matter.
std::vector<uint32_t> TestPattern() {
  std::vector<uint32_t> pixels(800 * 600);
  for (int32_t y = 0; y < 600; ++y) {
    for (int32_t x = 0; x < 800; ++x) {
      const bool right = x >= 400;
      const bool bottom = y >= 300;
      uint32_t argb = 0;
      if (!right && !bottom) argb = 0xFFFF0000u;
      if (right && !bottom) argb = 0xFF00FF00u;
      if (!right && bottom) argb = 0xFF0000FFu;
      if (right && bottom) argb = 0x00FFFFFFu;
      pixels[static_cast<size_t>(y) * 800 + static_cast<size_t>(x)] = argb;
    }
  }
  return pixels;
}

void SaveScreenshot(const std::vector<uint32_t>& rgb, int32_t width, int32_t height) {
  const char* folder = std::getenv("PESTREL_SCREENSHOT_DIR");
  if (folder == nullptr) return;
  std::ofstream file(std::string(folder) + "/sdl-window-" + std::to_string(width) + "x" +
                         std::to_string(height) + ".ppm",
                     std::ios::binary);
  file << "P6\n" << width << " " << height << "\n255\n";
  for (const uint32_t pixel : rgb) {
    file.put(static_cast<char>(pixel >> 16))
        .put(static_cast<char>(pixel >> 8))
        .put(static_cast<char>(pixel));
  }
}

TEST_P(SdlWindowXvfb, APresentedFrameFillsThePictureAndLeavesTheBarsBlack) {
  const std::vector<uint32_t> pattern = TestPattern();
  const RECT& p = GetParam().picture;
  auto screenOf = [&](int32_t clientX, int32_t clientY) {
    return POINT{p.left + (clientX * (p.right - p.left) + 400) / 800,
                 p.top + (clientY * (p.bottom - p.top) + 300) / 600};
  };
  struct Sample {
    POINT at;
    uint32_t rgb;
  };
  std::vector<Sample> samples{{screenOf(200, 150), 0xFF0000u}, {screenOf(600, 150), 0x00FF00u},
                              {screenOf(200, 450), 0x0000FFu}, {screenOf(600, 450), 0xFFFFFFu},
                              {screenOf(2, 2), 0xFF0000u},     {screenOf(797, 597), 0xFFFFFFu}};
  if (p.left > 0) {
    samples.push_back({POINT{p.left / 2, GetParam().height / 2}, 0});
    samples.push_back({POINT{(p.right + GetParam().width) / 2, GetParam().height / 2}, 0});
    samples.push_back({POINT{p.left - 1, 10}, 0});
  }

  std::vector<uint32_t> shot;
  int32_t width = 0;
  int32_t height = 0;
  auto matches = [&] {
    return std::all_of(samples.begin(), samples.end(), [&](const Sample& s) {
      return shot[static_cast<size_t>(s.at.y) * width + s.at.x] == s.rgb;
    });
  };
  const auto deadline = std::chrono::steady_clock::now() + kFirstFrameDeadline;
  do {
    {
      const LeakCheckPause pause;
      window->Present(reinterpret_cast<const uint8_t*>(pattern.data()), 800, 600, 800 * 4);
    }
    window->WaitMessage(50);
    shot = server->Screenshot(&width, &height);
  } while ((shot.empty() || !matches()) && std::chrono::steady_clock::now() < deadline);

  ASSERT_EQ(width, GetParam().width);
  ASSERT_EQ(height, GetParam().height);
  SaveScreenshot(shot, width, height);
  for (const Sample& s : samples) {
    EXPECT_EQ(shot[static_cast<size_t>(s.at.y) * width + s.at.x], s.rgb)
        << "at " << s.at.x << "," << s.at.y;
  }
}

INSTANTIATE_TEST_SUITE_P(
    SdlWindowXvfbScreens, SdlWindowXvfb,
    ::testing::Values(
        Screen{800,
               600,
               RECT{0, 0, 800, 600},
               {{{612, 484}, {612, 484}}, {{0, 0}, {0, 0}}, {{799, 599}, {799, 599}}}},
        // The case no window manager resizes: scale 1.28, no bars.
        Screen{1024,
               768,
               RECT{0, 0, 1024, 768},
               {{{612, 484}, {478, 378}}, {{0, 0}, {0, 0}}, {{1023, 767}, {799, 599}}}},
        // Scale 1.2 with bars of 160 pixels left and right; a click on a
        // bar is outside the client area.
        Screen{1280,
               720,
               RECT{160, 0, 1120, 720},
               {{{772, 484}, {510, 403}},
                {{160, 0}, {0, 0}},
                {{1119, 719}, {799, 599}},
                {{50, 300}, {-92, 250}}}}),
    [](const ::testing::TestParamInfo<Screen>& info) {
      return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

}  // namespace
}  // namespace platform
