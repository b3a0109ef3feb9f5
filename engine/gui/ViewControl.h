#pragma once
// IMViewControl<V> joins a control with one view V. The view is a base
// object, built after the control part so that the control is registered
// with its parent before the view exists; registration is deferred, so the
// tree never reaches the half-built object.
//
// The rectangle and the redraw flag are the view's. The control takes over
// SetRect, GetRect, IsDirty and SetDirty from both bases.

#include "engine/gui/Control.h"
#include "engine/render/View.h"

template <class V>
class IMViewControl : public IMControl, public V {
 public:
  IMViewControl(IMDialogBase* parent, int32_t layer) : IMControl(parent, layer), V() {}

  using IMControl::Draw;
  using IMControl::HitTest;
  using V::Draw;
  using V::HitTest;

  void Disable() override {
    IMControl::Disable();
    SetDirty(true);
  }
  void Enable() override {
    IMControl::Enable();
    SetDirty(true);
  }
  void Hide() override {
    IMControl::Hide();
    SetDirty(true);
  }
  void Show() override {
    IMControl::Show();
    SetDirty(true);
  }

  void SetDirty(bool dirty) override {
    V::dirty = dirty;
    IMControl::SetDirty(dirty);
  }
  bool IsDirty() const override { return V::dirty; }

  // Empty and text views count their whole rectangle; texture views decide
  // by their pixels.
  bool HitTest(int32_t x, int32_t y) override { return !hidden && V::HitTest(POINT{x, y}); }

  // Marks only the view's flag: moving a control announces nothing and does
  // not re-check the hover (the next mouse move does).
  void SetRect(const RECT& r) override {
    if (r == V::rect) return;
    V::rect = r;
    V::dirty = true;
  }
  RECT GetRect() const override { return V::rect; }

  void DrawView() override {
    if (!hidden && parent) V::Draw();
    SetDirty(false);
  }
};
