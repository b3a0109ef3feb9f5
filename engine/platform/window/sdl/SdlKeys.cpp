#include "engine/platform/window/sdl/SdlKeys.h"

#include "engine/platform/window/VirtualKeys.h"

namespace platform {

namespace {

// The keypad keys that double as navigation keys, for Num Lock off.
int32_t KeypadNavigationKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_KP_0:
      return VK_INSERT;
    case SDL_SCANCODE_KP_1:
      return VK_END;
    case SDL_SCANCODE_KP_2:
      return VK_DOWN;
    case SDL_SCANCODE_KP_3:
      return VK_NEXT;
    case SDL_SCANCODE_KP_4:
      return VK_LEFT;
    case SDL_SCANCODE_KP_5:
      return VK_CLEAR;
    case SDL_SCANCODE_KP_6:
      return VK_RIGHT;
    case SDL_SCANCODE_KP_7:
      return VK_HOME;
    case SDL_SCANCODE_KP_8:
      return VK_UP;
    case SDL_SCANCODE_KP_9:
      return VK_PRIOR;
    case SDL_SCANCODE_KP_PERIOD:
      return VK_DELETE;
    default:
      return 0;
  }
}

int32_t FromScancode(SDL_Scancode scancode, bool numLock) {
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
    return 'A' + (scancode - SDL_SCANCODE_A);
  }
  // SDL orders the digit row 1 to 9, then 0.
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
    return '1' + (scancode - SDL_SCANCODE_1);
  }
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12) {
    return VK_F1 + (scancode - SDL_SCANCODE_F1);
  }
  // F13 to F24 follow F12 in both numberings.
  if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
    return VK_F12 + 1 + (scancode - SDL_SCANCODE_F13);
  }
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
    return numLock ? VK_NUMPAD0 + 1 + (scancode - SDL_SCANCODE_KP_1)
                   : KeypadNavigationKey(scancode);
  }
  switch (scancode) {
    case SDL_SCANCODE_0:
      return '0';
    case SDL_SCANCODE_RETURN:
      return VK_RETURN;
    case SDL_SCANCODE_ESCAPE:
      return VK_ESCAPE;
    case SDL_SCANCODE_BACKSPACE:
      return VK_BACK;
    case SDL_SCANCODE_TAB:
      return VK_TAB;
    case SDL_SCANCODE_SPACE:
      return VK_SPACE;
    case SDL_SCANCODE_MINUS:
      return VK_OEM_MINUS;
    case SDL_SCANCODE_EQUALS:
      return VK_OEM_PLUS;
    case SDL_SCANCODE_LEFTBRACKET:
      return VK_OEM_4;
    case SDL_SCANCODE_RIGHTBRACKET:
      return VK_OEM_6;
    case SDL_SCANCODE_BACKSLASH:
      return VK_OEM_5;
    case SDL_SCANCODE_NONUSHASH:
      return VK_OEM_5;
    case SDL_SCANCODE_SEMICOLON:
      return VK_OEM_1;
    case SDL_SCANCODE_APOSTROPHE:
      return VK_OEM_7;
    case SDL_SCANCODE_GRAVE:
      return VK_OEM_3;
    case SDL_SCANCODE_COMMA:
      return VK_OEM_COMMA;
    case SDL_SCANCODE_PERIOD:
      return VK_OEM_PERIOD;
    case SDL_SCANCODE_SLASH:
      return VK_OEM_2;
    case SDL_SCANCODE_NONUSBACKSLASH:
      return VK_OEM_102;
    case SDL_SCANCODE_CAPSLOCK:
      return VK_CAPITAL;
    case SDL_SCANCODE_PRINTSCREEN:
      return VK_SNAPSHOT;
    case SDL_SCANCODE_SCROLLLOCK:
      return VK_SCROLL;
    case SDL_SCANCODE_PAUSE:
      return VK_PAUSE;
    case SDL_SCANCODE_INSERT:
      return VK_INSERT;
    case SDL_SCANCODE_HOME:
      return VK_HOME;
    case SDL_SCANCODE_PAGEUP:
      return VK_PRIOR;
    case SDL_SCANCODE_DELETE:
      return VK_DELETE;
    case SDL_SCANCODE_END:
      return VK_END;
    case SDL_SCANCODE_PAGEDOWN:
      return VK_NEXT;
    case SDL_SCANCODE_RIGHT:
      return VK_RIGHT;
    case SDL_SCANCODE_LEFT:
      return VK_LEFT;
    case SDL_SCANCODE_DOWN:
      return VK_DOWN;
    case SDL_SCANCODE_UP:
      return VK_UP;
    case SDL_SCANCODE_NUMLOCKCLEAR:
      return VK_NUMLOCK;
    case SDL_SCANCODE_KP_DIVIDE:
      return VK_DIVIDE;
    case SDL_SCANCODE_KP_MULTIPLY:
      return VK_MULTIPLY;
    case SDL_SCANCODE_KP_MINUS:
      return VK_SUBTRACT;
    case SDL_SCANCODE_KP_PLUS:
      return VK_ADD;
    case SDL_SCANCODE_KP_ENTER:
      return VK_RETURN;
    case SDL_SCANCODE_KP_0:
      return numLock ? VK_NUMPAD0 : VK_INSERT;
    case SDL_SCANCODE_KP_PERIOD:
      return numLock ? VK_DECIMAL : VK_DELETE;
    case SDL_SCANCODE_CLEAR:
      return VK_CLEAR;
    case SDL_SCANCODE_APPLICATION:
      return VK_APPS;
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
      return VK_CONTROL;
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
      return VK_SHIFT;
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
      return VK_MENU;
    case SDL_SCANCODE_LGUI:
      return VK_LWIN;
    case SDL_SCANCODE_RGUI:
      return VK_RWIN;
    default:
      return 0;
  }
}

// Keys SDL could not place come with the layout's key code only. Printable
// keys are their unshifted character; the others carry a scancode inside.
int32_t FromKeycode(SDL_Keycode keycode, bool numLock) {
  if (keycode & SDLK_SCANCODE_MASK) {
    return FromScancode(static_cast<SDL_Scancode>(keycode & ~SDLK_SCANCODE_MASK), numLock);
  }
  if (keycode >= 'a' && keycode <= 'z') return keycode - 'a' + 'A';
  if (keycode >= '0' && keycode <= '9') return keycode;
  switch (keycode) {
    case SDLK_RETURN:
      return VK_RETURN;
    case SDLK_ESCAPE:
      return VK_ESCAPE;
    case SDLK_BACKSPACE:
      return VK_BACK;
    case SDLK_TAB:
      return VK_TAB;
    case SDLK_SPACE:
      return VK_SPACE;
    case SDLK_DELETE:
      return VK_DELETE;
    case ';':
      return VK_OEM_1;
    case '=':
      return VK_OEM_PLUS;
    case ',':
      return VK_OEM_COMMA;
    case '-':
      return VK_OEM_MINUS;
    case '.':
      return VK_OEM_PERIOD;
    case '/':
      return VK_OEM_2;
    case '`':
      return VK_OEM_3;
    case '[':
      return VK_OEM_4;
    case '\\':
      return VK_OEM_5;
    case ']':
      return VK_OEM_6;
    case '\'':
      return VK_OEM_7;
    default:
      return 0;
  }
}

}  // namespace

int32_t VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock) {
  const int32_t byPosition = FromScancode(scancode, numLock);
  return byPosition != 0 ? byPosition : FromKeycode(keycode, numLock);
}

bool IsExtendedKey(SDL_Scancode scancode) {
  switch (scancode) {
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_INSERT:
    case SDL_SCANCODE_DELETE:
    case SDL_SCANCODE_HOME:
    case SDL_SCANCODE_END:
    case SDL_SCANCODE_PAGEUP:
    case SDL_SCANCODE_PAGEDOWN:
    case SDL_SCANCODE_LEFT:
    case SDL_SCANCODE_RIGHT:
    case SDL_SCANCODE_UP:
    case SDL_SCANCODE_DOWN:
    case SDL_SCANCODE_KP_ENTER:
    case SDL_SCANCODE_KP_DIVIDE:
    case SDL_SCANCODE_NUMLOCKCLEAR:
    case SDL_SCANCODE_PRINTSCREEN:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_APPLICATION:
      return true;
    default:
      return false;
  }
}

bool ScancodeHoldsVirtualKey(SDL_Scancode scancode, int32_t virtualKey, bool numLock) {
  switch (virtualKey) {
    case VK_LSHIFT:
      return scancode == SDL_SCANCODE_LSHIFT;
    case VK_RSHIFT:
      return scancode == SDL_SCANCODE_RSHIFT;
    case VK_LCONTROL:
      return scancode == SDL_SCANCODE_LCTRL;
    case VK_RCONTROL:
      return scancode == SDL_SCANCODE_RCTRL;
    case VK_LMENU:
      return scancode == SDL_SCANCODE_LALT;
    case VK_RMENU:
      return scancode == SDL_SCANCODE_RALT;
    default:
      return virtualKey != 0 && FromScancode(scancode, numLock) == virtualKey;
  }
}

}  // namespace platform
