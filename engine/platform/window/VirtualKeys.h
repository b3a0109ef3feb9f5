#pragma once
// Virtual-key codes: what WM_KEYDOWN and WM_KEYUP carry in wParam, and what
// GetAsyncKeyState is asked about. Letters and digits are their upper-case
// ASCII codes ('A' = 0x41, '0' = 0x30).

#include <cstdint>

constexpr int32_t VK_BACK = 0x08;
constexpr int32_t VK_TAB = 0x09;
constexpr int32_t VK_CLEAR = 0x0C;
constexpr int32_t VK_RETURN = 0x0D;
constexpr int32_t VK_SHIFT = 0x10;
constexpr int32_t VK_CONTROL = 0x11;
constexpr int32_t VK_MENU = 0x12;  // Alt
constexpr int32_t VK_PAUSE = 0x13;
constexpr int32_t VK_CAPITAL = 0x14;
constexpr int32_t VK_ESCAPE = 0x1B;
constexpr int32_t VK_SPACE = 0x20;
constexpr int32_t VK_PRIOR = 0x21;  // Page Up
constexpr int32_t VK_NEXT = 0x22;   // Page Down
constexpr int32_t VK_END = 0x23;
constexpr int32_t VK_HOME = 0x24;
constexpr int32_t VK_LEFT = 0x25;
constexpr int32_t VK_UP = 0x26;
constexpr int32_t VK_RIGHT = 0x27;
constexpr int32_t VK_DOWN = 0x28;
constexpr int32_t VK_SNAPSHOT = 0x2C;
constexpr int32_t VK_INSERT = 0x2D;
constexpr int32_t VK_DELETE = 0x2E;
constexpr int32_t VK_LWIN = 0x5B;
constexpr int32_t VK_RWIN = 0x5C;
constexpr int32_t VK_APPS = 0x5D;
constexpr int32_t VK_NUMPAD0 = 0x60;  // through VK_NUMPAD9 = 0x69
constexpr int32_t VK_MULTIPLY = 0x6A;
constexpr int32_t VK_ADD = 0x6B;
constexpr int32_t VK_SUBTRACT = 0x6D;
constexpr int32_t VK_DECIMAL = 0x6E;
constexpr int32_t VK_DIVIDE = 0x6F;
constexpr int32_t VK_F1 = 0x70;
constexpr int32_t VK_F2 = 0x71;
constexpr int32_t VK_F3 = 0x72;
constexpr int32_t VK_F4 = 0x73;
constexpr int32_t VK_F5 = 0x74;
constexpr int32_t VK_F6 = 0x75;
constexpr int32_t VK_F7 = 0x76;
constexpr int32_t VK_F8 = 0x77;
constexpr int32_t VK_F9 = 0x78;
constexpr int32_t VK_F10 = 0x79;
constexpr int32_t VK_F11 = 0x7A;
constexpr int32_t VK_F12 = 0x7B;
constexpr int32_t VK_NUMLOCK = 0x90;
constexpr int32_t VK_SCROLL = 0x91;
constexpr int32_t VK_LSHIFT = 0xA0;
constexpr int32_t VK_RSHIFT = 0xA1;
constexpr int32_t VK_LCONTROL = 0xA2;
constexpr int32_t VK_RCONTROL = 0xA3;
constexpr int32_t VK_LMENU = 0xA4;
constexpr int32_t VK_RMENU = 0xA5;
constexpr int32_t VK_OEM_1 = 0xBA;       // ;:
constexpr int32_t VK_OEM_PLUS = 0xBB;    // =+
constexpr int32_t VK_OEM_COMMA = 0xBC;   // ,<
constexpr int32_t VK_OEM_MINUS = 0xBD;   // -_
constexpr int32_t VK_OEM_PERIOD = 0xBE;  // .>
constexpr int32_t VK_OEM_2 = 0xBF;       // /?
constexpr int32_t VK_OEM_3 = 0xC0;       // `~
constexpr int32_t VK_OEM_4 = 0xDB;       // [{
constexpr int32_t VK_OEM_5 = 0xDC;       // \|
constexpr int32_t VK_OEM_6 = 0xDD;       // ]}
constexpr int32_t VK_OEM_7 = 0xDE;       // '"
constexpr int32_t VK_OEM_102 = 0xE2;     // the extra key left of Z on European keyboards
