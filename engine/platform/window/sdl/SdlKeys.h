#pragma once
// SDL's keys as Windows virtual-key codes.
//
// Keys are told apart by their physical position (the SDL scancode), so
// that the key left of S is 'A' whatever the layout: with a Russian layout
// it still gives the codes of the Latin letters printed beside the Cyrillic
// ones, as Windows does. The layout's key code is only the fallback for
// keys whose position SDL does not know.

#include <SDL.h>

#include <cstdint>

namespace platform {

// The virtual-key code WM_KEYDOWN carries for this key; 0 for a key that
// has none. Either Shift, Ctrl or Alt gives VK_SHIFT, VK_CONTROL or VK_MENU.
// The keypad digits and its decimal point give VK_NUMPAD0... and VK_DECIMAL
// with Num Lock on, and the navigation keys printed on them with it off.
int32_t VirtualKeyFromSdl(SDL_Scancode scancode, SDL_Keycode keycode, bool numLock);

// Whether Windows flags the key as extended (bit 24 of a key message's
// lParam): the right Ctrl and Alt, the navigation block, the arrows, the
// keypad's Enter and divide key.
bool IsExtendedKey(SDL_Scancode scancode);

// Whether holding the key at `scancode` means `virtualKey` is down for
// GetAsyncKeyState: VK_SHIFT is either Shift, VK_LSHIFT only the left one.
bool ScancodeHoldsVirtualKey(SDL_Scancode scancode, int32_t virtualKey, bool numLock);

}  // namespace platform
