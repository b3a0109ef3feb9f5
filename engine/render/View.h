#pragma once
// A view is the drawable half of a control: it keeps the rectangle, the
// source rectangle and the redraw flag, draws itself and answers whether a
// point hits it.
//
// Inside a control (IMViewControl<V> derives from the control and from the
// view) the control takes over SetRect, GetRect, IsDirty and SetDirty, so
// the view draws at the control's rectangle and its dirty flag is the
// control's redraw flag. A view marks itself changed by setting `dirty`
// directly: that must not reach the control's SetDirty, which would also
// announce the change and re-check the mouse.

#include "engine/platform/geometry/Rect.h"

class IMView {
 public:
  IMView() = default;
  virtual ~IMView() = default;
  IMView(const IMView&) = delete;
  IMView& operator=(const IMView&) = delete;

  virtual void SetRect(const RECT& r);
  virtual RECT GetRect() const { return rect; }
  virtual void SetSourceRect(const RECT& r);
  virtual RECT GetSourceRect() const { return sourceRect; }
  virtual void SetPosition(int32_t x, int32_t y) { MoveTo(POINT{x, y}); }
  virtual void MoveTo(POINT p);
  virtual POINT GetPosition() const { return POINT{rect.left, rect.top}; }
  virtual void SetSize(int32_t width, int32_t height);
  virtual int32_t GetHeight() const { return rect.bottom - rect.top; }
  virtual int32_t GetWidth() const { return rect.right - rect.left; }
  virtual void Draw() = 0;
  virtual bool HitTest(POINT p) { return PtInRect(rect, p); }
  virtual bool IsDirty() const { return dirty; }
  virtual void SetDirty(bool value) { dirty = value; }

 protected:
  RECT rect{};
  RECT sourceRect{};
  bool dirty = false;
};

// The view of containers and of controls that draw nothing themselves.
class IMEmptyView : public IMView {
 public:
  void Draw() override { dirty = false; }
};
