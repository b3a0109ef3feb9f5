#pragma once
// IMControl, the abstract node of the control tree: its state flags, the
// link to its parent and the nineteen signals through which application
// code learns what happens to it.
//
// Structural changes are deferred. A control created with a parent waits in
// the parent's pending additions until the parent's next Update; Destroy()
// queues it for deletion at the parent's next flush. Until then it is still
// drawn. Only the parent deletes its children.

#include "engine/gui/Events.h"
#include "engine/gui/Signals.h"
#include "engine/platform/geometry/Rect.h"

class IMDialogBase;

// Declares a signal and its connect operation.
#define IM_DECLARE_SIGNAL(SignalType, Name)                                            \
 public:                                                                               \
  SignalType Name;                                                                     \
  boost::signals2::connection Connect##Name(const SignalType::slot_type& slot) {       \
    return Name.connect(slot);                                                         \
  }

class IMControl : public boost::signals2::trackable {
 public:
  // Registers the control with `parent` (when given) in `layer`; it becomes
  // live at the parent's next Update.
  IMControl(IMDialogBase* parent, int32_t layer);
  virtual ~IMControl() = default;
  IMControl(const IMControl&) = delete;
  IMControl& operator=(const IMControl&) = delete;

  IMDialogBase* GetParent() const { return parent; }

  // Gives (true) or takes (false) the keyboard focus; nothing happens unless
  // the control can take the focus and `give` changes its state.
  virtual void SetFocus(bool give);
  virtual void Disable();
  virtual void Enable();
  virtual void Hide();
  virtual void Show();
  // Emits Closing, then OnClose: the control (and for a container its whole
  // subtree) is destroyed and deleted at its parent's next flush.
  virtual long Close();
  // true: announces the change (Invalidated) and lets the parent re-check
  // which child is under the resting mouse.
  virtual void SetDirty(bool dirty);
  virtual bool IsDirty() const = 0;
  virtual bool CanFocus() const { return canFocus; }
  virtual void SetCanFocus(bool value) { canFocus = value; }
  virtual bool IsEnabled() const { return enabled; }
  virtual bool IsHidden() const { return hidden; }
  virtual bool IsMouseOver() const { return mouseOver; }
  virtual bool IsPressed() const { return pressed; }
  virtual bool IsSealed() const { return false; }
  virtual bool HasFocus() const { return focused; }
  // The point is in the parent's coordinates.
  virtual bool HitTest(int32_t x, int32_t y) = 0;
  virtual void OnMouseMove(const IMMouseEvent& e);
  virtual void OnMouseButton(const IMMouseEvent& e);
  // Emits Clicked whether the control is enabled or not.
  virtual void OnClick(const IMMouseEvent& e);
  virtual void OnMouseEnter(const IMMouseEvent& e);
  virtual void OnMouseLeave(const IMMouseEvent& e);
  virtual void OnKeyboard(const IMKeyboardEvent& e);
  virtual void Draw(const IMEvent& e);
  virtual void Update(const IMEvent& e);
  virtual long OnClose(const IMEvent& e);
  virtual void OnSetFocus(const IMEvent& e);
  virtual void OnKillFocus(const IMEvent& e);
  virtual void SetRect(const RECT& r) = 0;
  virtual RECT GetRect() const = 0;
  // Cuts every connection but the focus notices (which the parent's focus
  // tracker still needs) and queues the control for deletion. The owner
  // must not use the control afterwards: a control that never became live
  // is deleted before Destroy returns.
  virtual void Destroy();
  virtual void DrawView() = 0;
  // Called once by every Update, before Updated is emitted.
  virtual void OnUpdate() {}

  IM_DECLARE_SIGNAL(IMEventSignal, Drawn)
  IM_DECLARE_SIGNAL(IMEventSignal, Closing)
  IM_DECLARE_SIGNAL(IMEventSignal, Updated)
  IM_DECLARE_SIGNAL(IMEventSignal, Disabled)
  IM_DECLARE_SIGNAL(IMEventSignal, Enabled)
  IM_DECLARE_SIGNAL(IMEventSignal, Hidden)
  IM_DECLARE_SIGNAL(IMEventSignal, Shown)
  IM_DECLARE_SIGNAL(IMEventSignal, Invalidated)
  IM_DECLARE_SIGNAL(IMEventSignal, FocusGained)
  IM_DECLARE_SIGNAL(IMEventSignal, FocusLost)
  IM_DECLARE_SIGNAL(IMMouseSignal, MouseMoved)
  IM_DECLARE_SIGNAL(IMMouseSignal, MouseButton)
  IM_DECLARE_SIGNAL(IMMouseSignal, Clicked)
  IM_DECLARE_SIGNAL(IMMouseSignal, MouseEntered)
  IM_DECLARE_SIGNAL(IMMouseSignal, MouseLeft)
  IM_DECLARE_SIGNAL(IMMouseSignal, DoubleClicked)
  IM_DECLARE_SIGNAL(IMKeyboardSignal, KeyMessage)
  IM_DECLARE_SIGNAL(IMKeyboardSignal, KeyDown)
  IM_DECLARE_SIGNAL(IMKeyboardSignal, KeyUp)

 protected:
  IMDialogBase* parent;
  bool mouseOver = false;
  bool pressed = false;  // a button was down over the control at its last button message
  bool enabled = true;
  bool hidden = false;
  bool focused = false;
  bool canFocus = false;
};

#undef IM_DECLARE_SIGNAL
