#pragma once
// Window message numbers, key-state bits and the packing of mouse positions
// into a message's lParam. The numbers are the ones the input layer speaks
// everywhere: the window service produces them, the control tree dispatches
// on them, and application handlers compare against them.

#include <cstdint>

constexpr uint32_t WM_NULL = 0x0000;
constexpr uint32_t WM_DESTROY = 0x0002;
constexpr uint32_t WM_SIZE = 0x0005;
constexpr uint32_t WM_PAINT = 0x000F;
constexpr uint32_t WM_CLOSE = 0x0010;
constexpr uint32_t WM_QUIT = 0x0012;
constexpr uint32_t WM_SHOWWINDOW = 0x0018;

constexpr uint32_t WM_KEYDOWN = 0x0100;
constexpr uint32_t WM_KEYUP = 0x0101;
constexpr uint32_t WM_CHAR = 0x0102;
constexpr uint32_t WM_DEADCHAR = 0x0103;
constexpr uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr uint32_t WM_SYSKEYUP = 0x0105;

constexpr uint32_t WM_MOUSEMOVE = 0x0200;
constexpr uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr uint32_t WM_LBUTTONUP = 0x0202;
constexpr uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr uint32_t WM_RBUTTONUP = 0x0205;
constexpr uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr uint32_t WM_MBUTTONUP = 0x0208;
constexpr uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr uint32_t WM_ENTERSIZEMOVE = 0x0231;
constexpr uint32_t WM_EXITSIZEMOVE = 0x0232;
constexpr uint32_t WM_MOUSELEAVE = 0x02A3;

// Key-state bits carried in a mouse message's wParam.
constexpr uint32_t MK_LBUTTON = 0x0001;
constexpr uint32_t MK_RBUTTON = 0x0002;
constexpr uint32_t MK_SHIFT = 0x0004;
constexpr uint32_t MK_CONTROL = 0x0008;
constexpr uint32_t MK_MBUTTON = 0x0010;

// WM_SIZE's wParam when the window was minimised.
constexpr uint32_t SIZE_RESTORED = 0;
constexpr uint32_t SIZE_MINIMIZED = 1;

// A mouse position travels in lParam as two 16-bit halves. Each half is
// sign-extended on the way out: while a button is held the pointer may be
// left of or above the client area, and (-5, 700) must not become
// (65531, 700).
constexpr int32_t MakeLParam(int32_t x, int32_t y) {
  return static_cast<int32_t>((static_cast<uint32_t>(y) << 16) | (static_cast<uint32_t>(x) & 0xFFFFu));
}
constexpr int32_t LParamX(int32_t lParam) {
  return static_cast<int16_t>(static_cast<uint32_t>(lParam) & 0xFFFFu);
}
constexpr int32_t LParamY(int32_t lParam) {
  return static_cast<int16_t>((static_cast<uint32_t>(lParam) >> 16) & 0xFFFFu);
}

// WM_MOUSEWHEEL keeps the signed wheel delta in the high word of wParam.
constexpr int32_t WheelDelta(uint32_t wParam) { return static_cast<int16_t>(wParam >> 16); }
