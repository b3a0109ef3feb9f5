#pragma once
// The event records of the control framework. They are small values: built
// on the stack, copied freely and handed to signal slots by const reference.
//
// One integer code says what happened. For input it is the window message
// itself (WM_KEYDOWN, WM_LBUTTONUP, ...); the framework's own notices use the
// codes below.

#include <cstdint>
#include <string>

class IMControl;

// Codes of the framework's own events.
constexpr int32_t kEventGeneric = 0;  // enable, disable, show, hide, invalidate, timers, animations
constexpr int32_t kEventDraw = 15;
constexpr int32_t kEventUpdate = 16;
constexpr int32_t kEventClose = 16;
constexpr int32_t kEventFocusGained = 17;
constexpr int32_t kEventFocusLost = 18;
constexpr int32_t kEventMouseEnter = 523;
constexpr int32_t kEventClickLeft = 524;
constexpr int32_t kEventClickRight = 525;
constexpr int32_t kEventClickMiddle = 526;
constexpr int32_t kEventMouseLeave = 675;  // the value of WM_MOUSELEAVE

class IMEvent {
 public:
  IMEvent(IMControl* source, int32_t type) : source(source), type(type) {}

  virtual bool Is(int32_t code) const { return type == code; }

  IMControl* source;  // the control that emitted or forwarded the event
  int32_t type;       // the event code
};

// A raw window message.
class IMWindowsEvent : public IMEvent {
 public:
  IMWindowsEvent(IMControl* source, int32_t message, uint32_t wParam, int32_t lParam)
      : IMEvent(source, message), wParam(wParam), lParam(lParam) {}

  uint32_t wParam;
  int32_t lParam;  // always 0 in mouse events
};

class IMKeyboardEvent : public IMWindowsEvent {
 public:
  IMKeyboardEvent(IMControl* source, int32_t message, uint32_t wParam, int32_t lParam)
      : IMWindowsEvent(source, message, wParam, lParam) {}

  virtual bool IsMessage(int32_t message) const { return type == message; }

  // The character typed, for a WM_CHAR that carries text: its low 16 bits
  // as a one-unit string. Backspace, tab, line feed, Enter and Esc arrive as
  // WM_CHAR too but are keys, not text, and give the empty string; so does
  // every other message.
  std::u16string GetText() const;

  // The same event as seen by another control.
  IMKeyboardEvent WithSource(IMControl* newSource) const {
    IMKeyboardEvent copy = *this;
    copy.source = newSource;
    return copy;
  }
};

// A mouse message, with the position in the coordinates of the control that
// receives it (its parent's space, in which its own rectangle is expressed).
class IMMouseEvent : public IMWindowsEvent {
 public:
  IMMouseEvent(IMControl* source, int32_t message, uint32_t wParam, int32_t x, int32_t y)
      : IMWindowsEvent(source, message, wParam, 0), x(x), y(y) {}

  virtual bool IsMessage(int32_t message) const { return type == message; }

  IMMouseEvent WithSource(IMControl* newSource) const {
    IMMouseEvent copy = *this;
    copy.source = newSource;
    return copy;
  }

  int32_t x;
  int32_t y;
};
