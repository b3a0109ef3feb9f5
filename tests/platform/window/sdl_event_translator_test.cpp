// SDL events into window messages, with hand-made events: no display.

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/SdlEventTranslator.h"
#include "tests/platform/window/MessageMatchers.h"

namespace platform {
namespace {

SDL_Event Key(uint32_t type, SDL_Scancode scancode, SDL_Keycode keycode, uint16_t mod,
              uint8_t repeat = 0) {
  SDL_Event e{};
  e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.repeat = repeat;
  e.key.keysym.scancode = scancode;
  e.key.keysym.sym = keycode;
  e.key.keysym.mod = mod;
  return e;
}

SDL_Event Text(const char* utf8) {
  SDL_Event e{};
  e.text.type = SDL_TEXTINPUT;
  std::strncpy(e.text.text, utf8, sizeof e.text.text - 1);
  return e;
}

SDL_Event Button(uint32_t type, uint8_t button, uint8_t clicks, int32_t x, int32_t y) {
  SDL_Event e{};
  e.button.type = type;
  e.button.button = button;
  e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = clicks;
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event Motion(int32_t x, int32_t y, uint32_t state) {
  SDL_Event e{};
  e.motion.type = SDL_MOUSEMOTION;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  return e;
}

SDL_Event Wheel(int32_t y, uint32_t direction, int32_t mouseX, int32_t mouseY) {
  SDL_Event e{};
  e.wheel.type = SDL_MOUSEWHEEL;
  e.wheel.y = y;
  e.wheel.preciseY = static_cast<float>(y);
  e.wheel.direction = direction;
  e.wheel.mouseX = mouseX;
  e.wheel.mouseY = mouseY;
  return e;
}

SDL_Event WindowEvent(uint8_t event) {
  SDL_Event e{};
  e.window.type = SDL_WINDOWEVENT;
  e.window.event = event;
  return e;
}

SDL_Event Quit() {
  SDL_Event e{};
  e.type = SDL_QUIT;
  return e;
}

std::vector<MSG> TranslateAll(SdlEventTranslator& translator,
                              const std::vector<SDL_Event>& events) {
  std::vector<MSG> out;
  for (const SDL_Event& e : events) translator.Translate(e, &out);
  return out;
}

constexpr int32_t kDown = 0x00000001;
constexpr int32_t kRepeat = 0x40000001;
constexpr int32_t kUp = static_cast<int32_t>(0xC0000001u);
constexpr int32_t kAltDown = 0x20000001;
constexpr int32_t kAltUp = static_cast<int32_t>(0xE0000001u);
constexpr int32_t kExtendedDown = 0x01000001;
constexpr int32_t kExtendedUp = static_cast<int32_t>(0xC1000001u);

struct KeyCase {
  const char* name;
  SDL_Event event;
  std::vector<MSG> expected;
};

class SdlWindowKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(SdlWindowKeys, BecomeKeyMessagesAndTheirCharacters) {
  SdlEventTranslator translator(800, 600);
  EXPECT_EQ(TranslateAll(translator, {GetParam().event}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    SdlWindowTranslation, SdlWindowKeys,
    ::testing::Values(
        KeyCase{"EscapeDownTypesItsCharacter",
                Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0),
                {{WM_KEYDOWN, VK_ESCAPE, kDown}, {WM_CHAR, 27, kDown}}},
        KeyCase{"EscapeUp",
                Key(SDL_KEYUP, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0),
                {{WM_KEYUP, VK_ESCAPE, kUp}}},
        KeyCase{"EnterTypesCarriageReturn",
                Key(SDL_KEYDOWN, SDL_SCANCODE_RETURN, SDLK_RETURN, 0),
                {{WM_KEYDOWN, VK_RETURN, kDown}, {WM_CHAR, 13, kDown}}},
        KeyCase{"KeypadEnterIsExtendedEnter",
                Key(SDL_KEYDOWN, SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, KMOD_NUM),
                {{WM_KEYDOWN, VK_RETURN, kExtendedDown}, {WM_CHAR, 13, kExtendedDown}}},
        KeyCase{"BackspaceTypesBackspace",
                Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0),
                {{WM_KEYDOWN, VK_BACK, kDown}, {WM_CHAR, 8, kDown}}},
        KeyCase{"ShiftTabStillTypesTab",
                Key(SDL_KEYDOWN, SDL_SCANCODE_TAB, SDLK_TAB, KMOD_LSHIFT),
                {{WM_KEYDOWN, VK_TAB, kDown}, {WM_CHAR, 9, kDown}}},
        KeyCase{"AutoRepeatSetsThePreviousStateBit",
                Key(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0, 1),
                {{WM_KEYDOWN, VK_BACK, kRepeat}, {WM_CHAR, 8, kRepeat}}},
        KeyCase{"LetterDownLeavesItsCharacterToTheText",
                Key(SDL_KEYDOWN, SDL_SCANCODE_A, SDLK_a, 0),
                {{WM_KEYDOWN, 'A', kDown}}},
        KeyCase{"F1", Key(SDL_KEYDOWN, SDL_SCANCODE_F1, SDLK_F1, 0), {{WM_KEYDOWN, VK_F1, kDown}}},
        KeyCase{"ArrowsAreExtended",
                Key(SDL_KEYUP, SDL_SCANCODE_LEFT, SDLK_LEFT, 0),
                {{WM_KEYUP, VK_LEFT, kExtendedUp}}},
        KeyCase{"RightCtrlIsExtendedControl",
                Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL),
                {{WM_KEYDOWN, VK_CONTROL, kExtendedDown}}},
        KeyCase{"CtrlLetterTypesItsControlCharacter",
                Key(SDL_KEYDOWN, SDL_SCANCODE_C, SDLK_c, KMOD_LCTRL),
                {{WM_KEYDOWN, 'C', kDown}, {WM_CHAR, 3, kDown}}},
        KeyCase{"CtrlEscapeTypesNothing",
                Key(SDL_KEYDOWN, SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, KMOD_LCTRL),
                {{WM_KEYDOWN, VK_ESCAPE, kDown}}},
        KeyCase{"F10IsASystemKey",
                Key(SDL_KEYDOWN, SDL_SCANCODE_F10, SDLK_F10, 0),
                {{WM_SYSKEYDOWN, VK_F10, kDown}}},
        KeyCase{"F10UpIsASystemKey",
                Key(SDL_KEYUP, SDL_SCANCODE_F10, SDLK_F10, 0),
                {{WM_SYSKEYUP, VK_F10, kUp}}},
        KeyCase{"AltDownIsASystemKeyWithAltHeld",
                Key(SDL_KEYDOWN, SDL_SCANCODE_LALT, SDLK_LALT, KMOD_LALT),
                {{WM_SYSKEYDOWN, VK_MENU, kAltDown}}},
        KeyCase{"AltUpIsASystemKeyWithAltNoLongerHeld",
                Key(SDL_KEYUP, SDL_SCANCODE_LALT, SDLK_LALT, 0),
                {{WM_SYSKEYUP, VK_MENU, kUp}}},
        KeyCase{"AltLetterIsASystemKeyAndTypesNothing",
                Key(SDL_KEYDOWN, SDL_SCANCODE_X, SDLK_x, KMOD_LALT),
                {{WM_SYSKEYDOWN, 'X', kAltDown}}},
        KeyCase{"AltLetterUp",
                Key(SDL_KEYUP, SDL_SCANCODE_X, SDLK_x, KMOD_LALT),
                {{WM_SYSKEYUP, 'X', kAltUp}}},
        KeyCase{"CtrlAltIsAltGrNotASystemKey",
                Key(SDL_KEYDOWN, SDL_SCANCODE_E, SDLK_e, KMOD_LCTRL | KMOD_LALT),
                {{WM_KEYDOWN, 'E', kAltDown}}},
        KeyCase{"RussianLayoutGivesThePhysicalKey",
                Key(SDL_KEYDOWN, SDL_SCANCODE_Q, 0x439, 0),
                {{WM_KEYDOWN, 'Q', kDown}}},
        KeyCase{
            "KeyWithoutCodeSendsNothing", Key(SDL_KEYDOWN, SDL_SCANCODE_UNKNOWN, 0x416, 0), {}}),
    [](const ::testing::TestParamInfo<KeyCase>& info) { return std::string(info.param.name); });

struct TextCase {
  const char* name;
  uint16_t modifiers;
  const char* utf8;
  std::u16string expected;
};

class SdlWindowText : public ::testing::TestWithParam<TextCase> {};

TEST_P(SdlWindowText, BecomesOneCharPerUtf16Unit) {
  const TextCase& c = GetParam();
  SdlEventTranslator translator(800, 600);
  translator.SetModifiers(c.modifiers);
  std::vector<MSG> expected;
  for (const char16_t unit : c.expected) expected.push_back({WM_CHAR, unit, 1});
  EXPECT_EQ(TranslateAll(translator, {Text(c.utf8)}), expected);
}

INSTANTIATE_TEST_SUITE_P(
    SdlWindowTranslation, SdlWindowText,
    ::testing::Values(TextCase{"Latin", 0, "a", u"a"},
                      TextCase{"ShiftedLatin", KMOD_LSHIFT, "A", u"A"},
                      TextCase{"Cyrillic", 0, "\xD0\x96", u"\u0416"},
                      TextCase{"TwoCharactersAtOnce", 0,
                               "\xD1\x8F"
                               "b",
                               u"\u044Fb"},
                      TextCase{"BeyondTheBasicPlaneAsASurrogatePair", 0, "\xF0\x9F\x98\x80",
                               u"\U0001F600"},
                      TextCase{"AltGrTypes", KMOD_RALT, "\xC4\x99", u"\u0119"},
                      TextCase{"CtrlAltTypes", KMOD_LCTRL | KMOD_LALT, "@", u"@"},
                      TextCase{"CtrlMakesAShortcutNotText", KMOD_LCTRL, "c", u""},
                      TextCase{"LeftAltMakesAShortcutNotText", KMOD_LALT, "x", u""}),
    [](const ::testing::TestParamInfo<TextCase>& info) { return std::string(info.param.name); });

// The picture on a 1280 x 720 display: scale 1.2, bars of 160 pixels.
Letterbox WideScreen() { return Letterbox(800, 600, RECT{0, 0, 1280, 720}); }

TEST(SdlWindowMouse, ButtonsReportClientPositionsAndTheStateAfterTheEvent) {
  SdlEventTranslator translator(800, 600);
  translator.SetLetterbox(WideScreen());
  const std::vector<MSG> got =
      TranslateAll(translator, {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 160 + 612, 484),
                                Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 1, 160 + 612, 484),
                                Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 160 + 612, 484),
                                Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 160, 0),
                                Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 1, 160, 0),
                                Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_MIDDLE, 1, 1119, 719),
                                // The side buttons have no message.
                                Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 300, 300)});
  const int32_t at = MakeLParam(510, 403);
  EXPECT_EQ(got, (std::vector<MSG>{{WM_LBUTTONDOWN, MK_LBUTTON, at},
                                   {WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON, at},
                                   {WM_LBUTTONUP, MK_RBUTTON, at},
                                   {WM_MBUTTONDOWN, MK_RBUTTON | MK_MBUTTON, MakeLParam(0, 0)},
                                   {WM_RBUTTONUP, MK_MBUTTON, MakeLParam(0, 0)},
                                   {WM_MBUTTONUP, 0, MakeLParam(799, 599)}}));
}

TEST(SdlWindowMouse, ShiftAndCtrlFromTheKeyboardJoinTheButtonBits) {
  SdlEventTranslator translator(800, 600);
  const std::vector<MSG> got = TranslateAll(
      translator, {Key(SDL_KEYDOWN, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_LSHIFT),
                   Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 10, 20),
                   Key(SDL_KEYDOWN, SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_LSHIFT | KMOD_RCTRL),
                   Motion(11, 21, SDL_BUTTON_LMASK),
                   Key(SDL_KEYUP, SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, KMOD_RCTRL),
                   Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, 1, 11, 21)});
  EXPECT_EQ(got[1], (MSG{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MakeLParam(10, 20)}));
  EXPECT_EQ(got[3], (MSG{WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT | MK_CONTROL, MakeLParam(11, 21)}));
  EXPECT_EQ(got[5], (MSG{WM_LBUTTONUP, MK_CONTROL, MakeLParam(11, 21)}));
}

TEST(SdlWindowMouse, EverySecondQuickPressIsADoubleClick) {
  SdlEventTranslator translator(800, 600);
  std::vector<SDL_Event> events;
  for (uint8_t clicks = 1; clicks <= 4; ++clicks) {
    events.push_back(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, clicks, 5, 5));
    events.push_back(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_LEFT, clicks, 5, 5));
  }
  events.push_back(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 2, 5, 5));
  events.push_back(Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 2, 5, 5));
  events.push_back(Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 2, 5, 5));
  std::vector<uint32_t> messages;
  for (const MSG& m : TranslateAll(translator, events)) messages.push_back(m.message);
  EXPECT_EQ(messages,
            (std::vector<uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                   WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP,
                                   WM_RBUTTONDBLCLK, WM_RBUTTONUP, WM_MBUTTONDBLCLK}));
}

TEST(SdlWindowMouse, ACapturedPointerOutsideThePictureGivesPositionsOutsideTheClient) {
  SdlEventTranslator translator(800, 600);
  translator.SetLetterbox(WideScreen());
  const std::vector<MSG> got =
      TranslateAll(translator, {Motion(-10, 800, SDL_BUTTON_LMASK), Motion(100, 10, 0)});
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].wParam, MK_LBUTTON);
  EXPECT_EQ(LParamX(got[0].lParam), -142);
  EXPECT_EQ(LParamY(got[0].lParam), 666);
  // Over the left bar, and the button released elsewhere.
  EXPECT_EQ(got[1].wParam, 0u);
  EXPECT_EQ(LParamX(got[1].lParam), -50);
}

TEST(SdlWindowMouse, WheelCarriesNotchesTimes120AndTheScreenPosition) {
  SdlEventTranslator translator(800, 600);
  // A window at (100, 50) on its display: screen = client + (100, 50).
  translator.SetLetterbox(Letterbox(800, 600, RECT{100, 50, 900, 650}));
  translator.SetModifiers(KMOD_LCTRL);
  const std::vector<MSG> got = TranslateAll(
      translator,
      {Wheel(1, SDL_MOUSEWHEEL_NORMAL, 30, 40), Wheel(-2, SDL_MOUSEWHEEL_NORMAL, 30, 40),
       Wheel(1, SDL_MOUSEWHEEL_FLIPPED, 30, 40), Wheel(0, SDL_MOUSEWHEEL_NORMAL, 30, 40)});
  ASSERT_EQ(got.size(), 3u);
  EXPECT_EQ(got[0], (MSG{WM_MOUSEWHEEL, (120u << 16) | MK_CONTROL, MakeLParam(130, 90)}));
  EXPECT_EQ(WheelDelta(got[1].wParam), -240);
  EXPECT_EQ(WheelDelta(got[2].wParam), -120);
}

TEST(SdlWindowState, WindowEventsBecomeWindowMessagesOncePerChange) {
  SdlEventTranslator translator(800, 600);
  const std::vector<MSG> got = TranslateAll(
      translator, {WindowEvent(SDL_WINDOWEVENT_SHOWN), WindowEvent(SDL_WINDOWEVENT_RESTORED),
                   WindowEvent(SDL_WINDOWEVENT_MINIMIZED), WindowEvent(SDL_WINDOWEVENT_MINIMIZED),
                   WindowEvent(SDL_WINDOWEVENT_HIDDEN), WindowEvent(SDL_WINDOWEVENT_SHOWN),
                   WindowEvent(SDL_WINDOWEVENT_RESTORED), WindowEvent(SDL_WINDOWEVENT_MAXIMIZED),
                   WindowEvent(SDL_WINDOWEVENT_MOVED), WindowEvent(SDL_WINDOWEVENT_EXPOSED),
                   WindowEvent(SDL_WINDOWEVENT_CLOSE), Quit()});
  EXPECT_EQ(got, (std::vector<MSG>{{WM_SIZE, SIZE_MINIMIZED, 0},
                                   {WM_SHOWWINDOW, 0, 0},
                                   {WM_SHOWWINDOW, 1, 0},
                                   {WM_SIZE, SIZE_RESTORED, MakeLParam(800, 600)},
                                   {WM_PAINT, 0, 0},
                                   {WM_CLOSE, 0, 0},
                                   {WM_CLOSE, 0, 0}}));
}

}  // namespace
}  // namespace platform
