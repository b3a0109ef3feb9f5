#include "engine/gui/Control.h"

#include "engine/gui/DialogBase.h"
#include "engine/platform/window/Messages.h"

IMControl::IMControl(IMDialogBase* parent, int32_t layer) : parent(parent) {
  if (parent) parent->AddChild(this, layer);
}

void IMControl::SetFocus(bool give) {
  if (!canFocus || give == focused) return;
  if (give) {
    OnSetFocus(IMEvent(this, kEventFocusGained));
  } else {
    OnKillFocus(IMEvent(this, kEventFocusLost));
  }
}

void IMControl::Disable() {
  EmitSignal(Disabled, IMEvent(this, kEventGeneric));
  enabled = false;
}

void IMControl::Enable() {
  EmitSignal(Enabled, IMEvent(this, kEventGeneric));
  enabled = true;
}

void IMControl::Hide() {
  EmitSignal(Hidden, IMEvent(this, kEventGeneric));
  hidden = true;
}

void IMControl::Show() {
  EmitSignal(Shown, IMEvent(this, kEventGeneric));
  hidden = false;
}

long IMControl::Close() {
  const IMEvent e(this, kEventClose);
  EmitSignal(Closing, e);
  return OnClose(e);
}

void IMControl::SetDirty(bool dirty) {
  if (!dirty) return;
  EmitSignal(Invalidated, IMEvent(this, kEventGeneric));
  // A child that appears under, or vanishes from under, a resting mouse
  // takes or loses the hover without waiting for the mouse to move.
  if (parent) {
    parent->UpdateHover(
        IMMouseEvent(this, WM_MOUSEMOVE, 0, parent->GetLastMouseX(), parent->GetLastMouseY()));
  }
}

void IMControl::OnMouseMove(const IMMouseEvent& e) { EmitSignal(MouseMoved, e.WithSource(this)); }

namespace {
// The click a button release completes, or 0 for any other message.
int32_t ClickCodeFor(int32_t message) {
  switch (message) {
    case WM_LBUTTONUP: return kEventClickLeft;
    case WM_RBUTTONUP: return kEventClickRight;
    case WM_MBUTTONUP: return kEventClickMiddle;
    default: return 0;
  }
}

// Whether a left, right or middle button is down after this message. The
// wheel message keeps its delta in the high word, so only its low word
// counts, and only when it names exactly one button.
bool AnyButtonDownAfter(int32_t message, uint32_t wParam) {
  if (message == static_cast<int32_t>(WM_MOUSEWHEEL)) {
    const uint32_t keys = wParam & 0xFFFFu;
    return keys == MK_LBUTTON || keys == MK_RBUTTON || keys == MK_MBUTTON;
  }
  return (wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) != 0;
}
}  // namespace

void IMControl::OnMouseButton(const IMMouseEvent& e) {
  // A click needs the press and the release to reach the same control; the
  // press may be long ago, as `pressed` survives the mouse leaving.
  const int32_t clickCode = ClickCodeFor(e.type);
  if (pressed && clickCode != 0 && enabled) {
    EmitSignal(Clicked, IMMouseEvent(this, clickCode, e.wParam, e.x, e.y));
  }
  pressed = AnyButtonDownAfter(e.type, e.wParam);
  if (!enabled) return;
  const IMMouseEvent copy = e.WithSource(this);
  EmitSignal(MouseButton, copy);
  if (e.Is(WM_LBUTTONDBLCLK)) EmitSignal(DoubleClicked, copy);
}

void IMControl::OnClick(const IMMouseEvent& e) { EmitSignal(Clicked, e.WithSource(this)); }

void IMControl::OnMouseEnter(const IMMouseEvent& e) {
  mouseOver = true;
  EmitSignal(MouseEntered, e.WithSource(this));
}

void IMControl::OnMouseLeave(const IMMouseEvent& e) {
  mouseOver = false;
  EmitSignal(MouseLeft, e.WithSource(this));
}

void IMControl::OnKeyboard(const IMKeyboardEvent& e) {
  const IMKeyboardEvent copy = e.WithSource(this);
  if (e.Is(WM_KEYDOWN) || e.Is(WM_SYSKEYDOWN)) EmitSignal(KeyDown, copy);
  if (e.Is(WM_KEYUP) || e.Is(WM_SYSKEYUP)) EmitSignal(KeyUp, copy);
  EmitSignal(KeyMessage, copy);
}

void IMControl::Draw(const IMEvent&) {
  DrawView();
  SetDirty(false);
  EmitSignal(Drawn, IMEvent(this, kEventDraw));
}

void IMControl::Update(const IMEvent&) {
  OnUpdate();
  EmitSignal(Updated, IMEvent(this, kEventUpdate));
}

long IMControl::OnClose(const IMEvent&) {
  Destroy();
  return 0;
}

void IMControl::OnSetFocus(const IMEvent&) {
  if (!canFocus) return;
  focused = true;
  EmitSignal(FocusGained, IMEvent(this, kEventFocusGained));
}

void IMControl::OnKillFocus(const IMEvent&) {
  if (!canFocus) return;
  focused = false;
  EmitSignal(FocusLost, IMEvent(this, kEventFocusLost));
}

void IMControl::Destroy() {
  for (auto* signal : {&Drawn, &Closing, &Updated, &Disabled, &Enabled, &Hidden, &Shown,
                       &Invalidated}) {
    signal->disconnect_all_slots();
  }
  for (auto* signal : {&MouseMoved, &MouseButton, &Clicked, &MouseEntered, &MouseLeft,
                       &DoubleClicked}) {
    signal->disconnect_all_slots();
  }
  for (auto* signal : {&KeyMessage, &KeyDown, &KeyUp}) signal->disconnect_all_slots();
  // May delete this control: nothing may touch it afterwards.
  if (parent) parent->RemoveChild(this);
}
