#pragma once
// The window service for tests: no desktop, an in-memory queue. The test
// posts messages, places the cursor (in screen coordinates), holds keys and
// reads back what the engine did (cursor moves, the display counter,
// presented frames).
//
// WaitMessage returns at once: tests step the main loop themselves and the
// manual clock decides how much time passes.

#include <deque>
#include <mutex>
#include <set>
#include <vector>

#include "engine/platform/window/Window.h"

namespace platform {

class HeadlessWindow : public WindowBackend {
 public:
  HeadlessWindow() = default;
  HeadlessWindow(const HeadlessWindow&) = delete;
  HeadlessWindow& operator=(const HeadlessWindow&) = delete;

  // Makes the next Create fail with `reason`, as on a machine without a
  // display.
  void FailNextCreate(std::string reason) { createFailure = std::move(reason); }
  // Where the client area's top-left corner is on the screen.
  void SetClientOrigin(int32_t x, int32_t y) { clientOrigin = POINT{x, y}; }
  // Moves the pointer without any message, as the desktop does when the
  // pointer leaves the window.
  void PlaceCursor(int32_t screenX, int32_t screenY) { cursor = POINT{screenX, screenY}; }
  void HoldKey(int32_t virtualKey, bool held);

  int32_t CursorDisplayCount() const { return cursorCount; }
  int32_t PresentCount() const { return presents; }
  const std::u16string& Title() const { return title; }
  bool IsWindowed() const { return windowed; }
  // Every position SetCursorPos was given, in order.
  const std::vector<POINT>& CursorMoves() const { return cursorMoves; }
  // Drops what is queued.
  void ClearQueue();

  bool Create(const std::u16string& title, int32_t width, int32_t height, bool windowed,
              std::string* error) override;
  void Destroy() override { created = false; }
  bool IsCreated() const override { return created; }
  bool PeekMessage(MSG* msg) override;
  void PostMessage(uint32_t message, uint32_t wParam, int32_t lParam) override;
  void WaitMessage(uint32_t) override {}
  void Present(const uint8_t*, int32_t, int32_t, int32_t) override { ++presents; }
  RECT GetClientRect() const override { return RECT{0, 0, width, height}; }
  POINT ClientToScreen(POINT p) const override {
    return POINT{p.x + clientOrigin.x, p.y + clientOrigin.y};
  }
  POINT GetCursorPos() const override { return cursor; }
  // Moves the pointer as the program asks; over the client area this
  // reaches the window as a mouse move, as on a desktop.
  void SetCursorPos(int32_t x, int32_t y) override;
  int32_t ShowCursor(bool show) override { return cursorCount += show ? 1 : -1; }
  bool IsKeyDown(int32_t virtualKey) const override;

 private:
  mutable std::mutex mutex;  // guards the queue and the held keys
  std::deque<MSG> queue;
  std::set<int32_t> heldKeys;
  std::string createFailure;
  std::u16string title;
  bool windowed = false;
  bool created = false;
  int32_t width = 800;
  int32_t height = 600;
  POINT clientOrigin{};
  POINT cursor{};
  std::vector<POINT> cursorMoves;
  int32_t cursorCount = 0;
  int32_t presents = 0;
};

}  // namespace platform
