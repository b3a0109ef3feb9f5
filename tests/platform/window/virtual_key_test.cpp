// SDL keys to Windows virtual-key codes.

#include <gtest/gtest.h>

#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/SdlKeys.h"

namespace platform {
namespace {

struct KeyCase {
  SDL_Scancode scancode;
  SDL_Keycode keycode;
  bool numLock;
  int32_t virtualKey;
};

class VirtualKeyMapping : public ::testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeyMapping, GivesTheWindowsCode) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(VirtualKeyFromSdl(c.scancode, c.keycode, c.numLock), c.virtualKey)
      << "scancode " << c.scancode << ", keycode " << c.keycode;
}

INSTANTIATE_TEST_SUITE_P(VirtualKeyTable, VirtualKeyMapping,
                         ::testing::Values(
                             // Letters and digits by position.
                             KeyCase{SDL_SCANCODE_A, SDLK_a, false, 'A'},
                             KeyCase{SDL_SCANCODE_Z, SDLK_z, false, 'Z'},
                             KeyCase{SDL_SCANCODE_1, SDLK_1, false, '1'},
                             KeyCase{SDL_SCANCODE_9, SDLK_9, false, '9'},
                             KeyCase{SDL_SCANCODE_0, SDLK_0, false, '0'},
                             // A Russian layout: the key left of W types "й" and is still 'Q';
                             // the key right of L types "д" and is still VK_OEM_1.
                             KeyCase{SDL_SCANCODE_Q, 0x439, false, 'Q'},
                             KeyCase{SDL_SCANCODE_SEMICOLON, 0x434, false, VK_OEM_1},
                             // A French layout types "q" on the key where others have A. By
                             // position it stays 'A' (Windows would follow the layout here).
                             KeyCase{SDL_SCANCODE_A, SDLK_q, false, 'A'},
                             KeyCase{SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, false, VK_ESCAPE},
                             KeyCase{SDL_SCANCODE_RETURN, SDLK_RETURN, false, VK_RETURN},
                             KeyCase{SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, false, VK_RETURN},
                             KeyCase{SDL_SCANCODE_SPACE, SDLK_SPACE, false, VK_SPACE},
                             KeyCase{SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, false, VK_BACK},
                             KeyCase{SDL_SCANCODE_TAB, SDLK_TAB, false, VK_TAB},
                             KeyCase{SDL_SCANCODE_DELETE, SDLK_DELETE, false, VK_DELETE},
                             KeyCase{SDL_SCANCODE_LEFT, SDLK_LEFT, false, VK_LEFT},
                             KeyCase{SDL_SCANCODE_UP, SDLK_UP, false, VK_UP},
                             KeyCase{SDL_SCANCODE_RIGHT, SDLK_RIGHT, false, VK_RIGHT},
                             KeyCase{SDL_SCANCODE_DOWN, SDLK_DOWN, false, VK_DOWN},
                             KeyCase{SDL_SCANCODE_HOME, SDLK_HOME, false, VK_HOME},
                             KeyCase{SDL_SCANCODE_END, SDLK_END, false, VK_END},
                             KeyCase{SDL_SCANCODE_PAGEUP, SDLK_PAGEUP, false, VK_PRIOR},
                             KeyCase{SDL_SCANCODE_PAGEDOWN, SDLK_PAGEDOWN, false, VK_NEXT},
                             KeyCase{SDL_SCANCODE_INSERT, SDLK_INSERT, false, VK_INSERT},
                             KeyCase{SDL_SCANCODE_F1, SDLK_F1, false, VK_F1},
                             KeyCase{SDL_SCANCODE_F10, SDLK_F10, false, VK_F10},
                             KeyCase{SDL_SCANCODE_F12, SDLK_F12, false, VK_F12},
                             KeyCase{SDL_SCANCODE_F13, SDLK_F13, false, 0x7C},
                             KeyCase{SDL_SCANCODE_LSHIFT, SDLK_LSHIFT, false, VK_SHIFT},
                             KeyCase{SDL_SCANCODE_RSHIFT, SDLK_RSHIFT, false, VK_SHIFT},
                             KeyCase{SDL_SCANCODE_LCTRL, SDLK_LCTRL, false, VK_CONTROL},
                             KeyCase{SDL_SCANCODE_RCTRL, SDLK_RCTRL, false, VK_CONTROL},
                             KeyCase{SDL_SCANCODE_LALT, SDLK_LALT, false, VK_MENU},
                             KeyCase{SDL_SCANCODE_RALT, SDLK_RALT, false, VK_MENU},
                             KeyCase{SDL_SCANCODE_LGUI, SDLK_LGUI, false, VK_LWIN},
                             KeyCase{SDL_SCANCODE_MINUS, SDLK_MINUS, false, VK_OEM_MINUS},
                             KeyCase{SDL_SCANCODE_EQUALS, SDLK_EQUALS, false, VK_OEM_PLUS},
                             KeyCase{SDL_SCANCODE_COMMA, SDLK_COMMA, false, VK_OEM_COMMA},
                             KeyCase{SDL_SCANCODE_PERIOD, SDLK_PERIOD, false, VK_OEM_PERIOD},
                             KeyCase{SDL_SCANCODE_SLASH, SDLK_SLASH, false, VK_OEM_2},
                             KeyCase{SDL_SCANCODE_GRAVE, SDLK_BACKQUOTE, false, VK_OEM_3},
                             KeyCase{SDL_SCANCODE_LEFTBRACKET, SDLK_LEFTBRACKET, false, VK_OEM_4},
                             KeyCase{SDL_SCANCODE_BACKSLASH, SDLK_BACKSLASH, false, VK_OEM_5},
                             KeyCase{SDL_SCANCODE_RIGHTBRACKET, SDLK_RIGHTBRACKET, false, VK_OEM_6},
                             KeyCase{SDL_SCANCODE_APOSTROPHE, SDLK_QUOTE, false, VK_OEM_7},
                             KeyCase{SDL_SCANCODE_NONUSBACKSLASH, SDLK_LESS, false, VK_OEM_102},
                             // The keypad follows Num Lock.
                             KeyCase{SDL_SCANCODE_KP_1, SDLK_KP_1, true, VK_NUMPAD0 + 1},
                             KeyCase{SDL_SCANCODE_KP_9, SDLK_KP_9, true, VK_NUMPAD0 + 9},
                             KeyCase{SDL_SCANCODE_KP_0, SDLK_KP_0, true, VK_NUMPAD0},
                             KeyCase{SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, true, VK_DECIMAL},
                             KeyCase{SDL_SCANCODE_KP_1, SDLK_KP_1, false, VK_END},
                             KeyCase{SDL_SCANCODE_KP_8, SDLK_KP_8, false, VK_UP},
                             KeyCase{SDL_SCANCODE_KP_5, SDLK_KP_5, false, VK_CLEAR},
                             KeyCase{SDL_SCANCODE_KP_0, SDLK_KP_0, false, VK_INSERT},
                             KeyCase{SDL_SCANCODE_KP_PERIOD, SDLK_KP_PERIOD, false, VK_DELETE},
                             KeyCase{SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, false, VK_ADD},
                             KeyCase{SDL_SCANCODE_KP_MINUS, SDLK_KP_MINUS, true, VK_SUBTRACT},
                             KeyCase{SDL_SCANCODE_KP_MULTIPLY, SDLK_KP_MULTIPLY, true, VK_MULTIPLY},
                             KeyCase{SDL_SCANCODE_KP_DIVIDE, SDLK_KP_DIVIDE, true, VK_DIVIDE},
                             // Keys SDL cannot place fall back on the layout's key code.
                             KeyCase{SDL_SCANCODE_UNKNOWN, SDLK_a, false, 'A'},
                             KeyCase{SDL_SCANCODE_UNKNOWN, SDLK_7, false, '7'},
                             KeyCase{SDL_SCANCODE_UNKNOWN, SDLK_MINUS, false, VK_OEM_MINUS},
                             KeyCase{SDL_SCANCODE_UNKNOWN, SDLK_F5, false, VK_F5},
                             KeyCase{SDL_SCANCODE_UNKNOWN, SDLK_ESCAPE, false, VK_ESCAPE},
                             // And some keys have no code at all.
                             KeyCase{SDL_SCANCODE_UNKNOWN, 0x416, false, 0},
                             KeyCase{SDL_SCANCODE_AUDIONEXT, SDLK_AUDIONEXT, false, 0}));

TEST(VirtualKeyExtended, MarksTheKeysWindowsMarks) {
  for (const SDL_Scancode extended :
       {SDL_SCANCODE_RCTRL, SDL_SCANCODE_RALT, SDL_SCANCODE_LEFT, SDL_SCANCODE_DELETE,
        SDL_SCANCODE_HOME, SDL_SCANCODE_KP_ENTER, SDL_SCANCODE_KP_DIVIDE}) {
    EXPECT_TRUE(IsExtendedKey(extended)) << extended;
  }
  for (const SDL_Scancode plain : {SDL_SCANCODE_LCTRL, SDL_SCANCODE_LALT, SDL_SCANCODE_RETURN,
                                   SDL_SCANCODE_A, SDL_SCANCODE_KP_1, SDL_SCANCODE_ESCAPE}) {
    EXPECT_FALSE(IsExtendedKey(plain)) << plain;
  }
}

TEST(VirtualKeyHeld, EitherSideCountsForTheGeneralCodeOnlyItsOwnSideForTheSidedOne) {
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_LCTRL, VK_CONTROL, false));
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_RCTRL, VK_CONTROL, false));
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_RCTRL, VK_RCONTROL, false));
  EXPECT_FALSE(ScancodeHoldsVirtualKey(SDL_SCANCODE_RCTRL, VK_LCONTROL, false));
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_LSHIFT, VK_LSHIFT, false));
  EXPECT_FALSE(ScancodeHoldsVirtualKey(SDL_SCANCODE_LSHIFT, VK_RSHIFT, false));
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_RALT, VK_MENU, false));
  EXPECT_TRUE(ScancodeHoldsVirtualKey(SDL_SCANCODE_C, 'C', false));
  EXPECT_FALSE(ScancodeHoldsVirtualKey(SDL_SCANCODE_C, 'V', false));
  EXPECT_FALSE(ScancodeHoldsVirtualKey(SDL_SCANCODE_UNKNOWN, 0, false));
}

}  // namespace
}  // namespace platform
