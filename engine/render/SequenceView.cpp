#include "engine/render/SequenceView.h"

#include <algorithm>
#include <cassert>

void IMSequenceView::SetFrame(int32_t n) {
  assert(n >= 0 && static_cast<size_t>(n) < frames.size());
  if (n < 0 || static_cast<size_t>(n) >= frames.size()) return;
  frame = n;
  SetTexture(frames[static_cast<size_t>(n)]);
}

int32_t IMSequenceView::Clamp(int32_t n) const {
  return std::clamp(n, 0, static_cast<int32_t>(frames.size()));
}
