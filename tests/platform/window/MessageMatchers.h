#pragma once
// Comparing and printing queued window messages and points in test
// expectations.

#include <ostream>

#include "engine/platform/window/Window.h"

// Points as "(x,y)" rather than as bytes.
inline void PrintTo(const POINT& p, std::ostream* os) { *os << "(" << p.x << "," << p.y << ")"; }

namespace platform {

inline bool operator==(const MSG& a, const MSG& b) {
  return a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam;
}

// gtest prints messages through this: the number, wParam and lParam in
// hexadecimal, and a mouse position as the two halves of lParam.
inline void PrintTo(const MSG& m, std::ostream* os) {
  *os << std::hex << "{0x" << m.message << ", 0x" << m.wParam << ", 0x"
      << static_cast<uint32_t>(m.lParam) << std::dec << " (" << LParamX(m.lParam) << ","
      << LParamY(m.lParam) << ")}";
}

}  // namespace platform
