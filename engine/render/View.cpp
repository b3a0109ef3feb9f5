#include "engine/render/View.h"

void IMView::SetRect(const RECT& r) {
  if (r == rect) return;
  rect = r;
  dirty = true;
}

void IMView::SetSourceRect(const RECT& r) {
  if (r == sourceRect) return;
  sourceRect = r;
  dirty = true;
}

void IMView::MoveTo(POINT p) {
  SetRect(RECT{p.x, p.y, p.x + GetWidth(), p.y + GetHeight()});
}

void IMView::SetSize(int32_t width, int32_t height) {
  SetRect(RECT{rect.left, rect.top, rect.left + width, rect.top + height});
}
