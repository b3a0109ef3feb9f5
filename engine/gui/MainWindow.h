#pragma once
// The program's one window and its main loop.
//
// IMWindow is the root of the control tree: a container without a parent
// covering the whole 800 x 600 client area. It turns window messages into
// events for the tree, owns the timers, and draws a frame only when
// something in the tree is dirty.
//
// One pass of the main loop: handle every queued message first; then,
// when the device is not lost, update the tree and draw a frame if it is
// dirty; fire the timers that are due; wait at most 1 ms for input.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/gui/DialogBase.h"
#include "engine/platform/window/Window.h"

class IMTimer {
 public:
  IMTimer(uint32_t interval, int64_t last) : interval(interval), last(last) {}
  IMTimer(const IMTimer&) = delete;
  IMTimer& operator=(const IMTimer&) = delete;

  uint32_t interval;  // milliseconds between two firings at least
  int64_t last;       // performance-counter ticks: created or last fired
  IMEventSignal fired;
};

class IMWindow : public IMDialogBase {
 public:
  // Becomes the process-wide root until it is destroyed.
  IMWindow();
  // Tears down: deletes every child, closes the native window and frees
  // the timers.
  ~IMWindow() override;

  // The end of the close cascade: the main loop ends.
  void Destroy() override;
  void OnUpdate() override { PollMouseOver(); }
  // Draws and presents a frame when the tree is dirty; counts the pass in
  // the renderer's frame counter either way. Nothing while suspended.
  virtual void RenderFrame();
  // Tells the root that the pointer entered or left the client area, from
  // the pointer's position: the window has no other way to learn of a
  // pointer leaving without a move.
  void PollMouseOver();

  // The window procedure: one message into the tree.
  void HandleMessage(const platform::MSG& msg);
  // Where the sound system hears its registered messages; it sees every
  // message before the tree does.
  void SetMessageDispatcher(std::function<void(const platform::MSG&)> dispatcher) {
    messageDispatcher = std::move(dispatcher);
  }

  // A timer that starts counting now. Ids are 1, 2, 3, ... and never reused.
  uint32_t AddTimer(uint32_t intervalMs);
  // Cuts the timer's slots and deletes it; 0 and unknown ids are ignored.
  // A timer may remove itself (or any other) from inside its own firing.
  void RemoveTimer(uint32_t id);
  // Connects a slot to the timer; 0 and unknown ids connect nothing and
  // give an empty connection.
  boost::signals2::connection ConnectTimer(uint32_t id, const IMEventSignal::slot_type& slot);
  // Fires every timer whose interval has passed, in ascending id order.
  void FireDueTimers();
  size_t TimerCount() const { return timers.size(); }

  // Moves the system pointer to the client position (x, y).
  void SetCursorPosition(int32_t x, int32_t y);
  // Moves the pointer, or the picture's top-left corner when a picture is
  // given, from (fromX, fromY) to (toX, toY) in 50 steps 20 ms apart. A
  // glide of a picture stops when the picture is destroyed.
  void GlideTo(float fromX, float fromY, int32_t toX, int32_t toY, IMControl* picture);

  bool IsSuspended() const { return suspended; }

 private:
  bool suspended = false;
  uint32_t nextTimerId = 0;
  std::map<uint32_t, std::unique_ptr<IMTimer>> timers;
  // Timers removed while timers fire: their signal may be the one emitting,
  // so they are deleted only when the firing is over.
  std::vector<std::unique_ptr<IMTimer>> retiredTimers;
  bool firingTimers = false;
  std::function<void(const platform::MSG&)> messageDispatcher;
};

// The root while it exists, else null.
IMWindow* GetMainWindow();

// Opens the window (default position, a client area of rect's size or
// 800 x 600) and makes the root. When the window cannot be opened the
// process prints one line saying why and exits with code 1.
IMWindow* CreateMainWindow(const std::u16string& title, std::optional<RECT> rect, bool windowed);

// What one pass of the main loop did.
enum class LoopPass { Message, Idle, Quit };
// One pass: a message handled, or (queue empty) update, frame, timers and
// the short wait; Quit when the quit message was taken.
LoopPass RunMessageLoopPass(IMWindow* root);
// Runs passes until the quit message arrives; returns 0.
int RunMessageLoop(IMWindow* root);
