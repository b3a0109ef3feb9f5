#pragma once
// Rectangles and points in the layout every layer of the engine shares:
// 32-bit signed pixels, right and bottom exclusive.

#include <algorithm>
#include <cstdint>

struct RECT {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;

  friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
  int32_t x = 0;
  int32_t y = 0;

  friend bool operator==(const POINT&, const POINT&) = default;
};

// A point with fractional coordinates, used where a position is advanced in
// small steps (the pointer glide).
struct FLOATPOINT {
  float x = 0.0f;
  float y = 0.0f;
};

// Left and top are inside, right and bottom are not.
inline bool PtInRect(const RECT& r, POINT p) {
  return r.left <= p.x && p.x < r.right && r.top <= p.y && p.y < r.bottom;
}

inline bool IsRectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// The common part of two rectangles; an empty rectangle when they do not meet.
inline RECT IntersectRect(const RECT& a, const RECT& b) {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
         std::min(a.bottom, b.bottom)};
  if (IsRectEmpty(r)) return RECT{};
  return r;
}

inline RECT OffsetRect(const RECT& r, int32_t dx, int32_t dy) {
  return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}
