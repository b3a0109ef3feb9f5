#pragma once
// The window service: the program's one top-level window, its message
// queue speaking window-message numbers, the pointer and the keyboard state.
//
// There are two backends. The SDL one shows a real window on the desktop;
// the headless one is an in-memory queue that tests post to, with a cursor
// they place and a Ctrl key they hold. The engine above talks only to the
// free functions at the end of this header and does not know which backend
// runs.
//
// Coordinates. The client area is always 800 x 600 client pixels, however
// large the window really is (full screen scales the picture to fit and
// letterboxes it). "Screen" coordinates are client pixels too, counted from
// the top-left of the display the window is on: client = screen - the
// client origin that ClientToScreen(0, 0) gives. GetCursorPos, SetCursorPos
// and WM_MOUSEWHEEL's position use them, so that the pointer glide and the
// hover polling agree with the positions mouse messages carry.

#include <cstdint>
#include <memory>
#include <string>

#include "engine/platform/geometry/Rect.h"
#include "engine/platform/window/Messages.h"

namespace platform {

// One queued message. The program has one window, so no window handle.
struct MSG {
  uint32_t message = WM_NULL;
  uint32_t wParam = 0;
  int32_t lParam = 0;
};

class WindowBackend {
 public:
  virtual ~WindowBackend() = default;

  // Opens the window with a client area of `width` x `height`: windowed, a
  // window of that size; otherwise full screen on the desktop's own mode
  // (the display mode is never changed). On success the queue then holds
  // WM_SHOWWINDOW (1), WM_SIZE (SIZE_RESTORED) and WM_PAINT, as a freshly
  // shown window receives them. On failure returns false and puts one line
  // saying what is missing into `error`.
  virtual bool Create(const std::u16string& title, int32_t width, int32_t height, bool windowed,
                      std::string* error) = 0;
  // Closes the native window. The queue stays usable (WM_QUIT is posted
  // after this).
  virtual void Destroy() = 0;
  virtual bool IsCreated() const = 0;

  // Takes the oldest queued message, after turning whatever the desktop has
  // delivered into messages. false when the queue is empty.
  virtual bool PeekMessage(MSG* msg) = 0;
  // Appends a message to the queue. Safe from any thread; wakes a waiting
  // WaitMessage.
  virtual void PostMessage(uint32_t message, uint32_t wParam, int32_t lParam) = 0;
  // Blocks until a message may be there or `timeoutMs` has passed. The
  // headless backend returns at once: the manual clock decides time there.
  virtual void WaitMessage(uint32_t timeoutMs) = 0;

  // Shows an 800 x 600 frame: rows of `pitchBytes` bytes, pixels in memory
  // order B, G, R, A (alpha ignored).
  virtual void Present(const uint8_t* pixels, int32_t width, int32_t height,
                       int32_t pitchBytes) = 0;

  virtual RECT GetClientRect() const = 0;  // (0, 0, width, height)
  virtual POINT ClientToScreen(POINT p) const = 0;
  virtual POINT GetCursorPos() const = 0;
  virtual void SetCursorPos(int32_t x, int32_t y) = 0;
  // The display counter: the pointer is shown while it is >= 0. Returns the
  // new count.
  virtual int32_t ShowCursor(bool show) = 0;
  // Whether the key with this virtual-key code is held right now.
  virtual bool IsKeyDown(int32_t virtualKey) const = 0;
  // Tells the user, where there is a display to tell it on, why the
  // program cannot go on; returns when they have read it. Nothing happens
  // where there is nobody to show it to.
  virtual void ShowFatalError(const std::u16string& /*title*/, const std::string& /*message*/) {}
};

// The backend in use: the one installed last, or else a new SDL backend.
WindowBackend& CurrentWindowBackend();
// Installs `backend` (owned from now on) and returns it; null goes back to
// the default.
WindowBackend* InstallWindowBackend(std::unique_ptr<WindowBackend> backend);

// The calls the engine makes, on the current backend.
bool PeekMessageW(MSG* msg);
void PostMessageW(uint32_t message, uint32_t wParam, int32_t lParam);
void PostQuitMessage(int32_t exitCode);
void WaitMessage(uint32_t timeoutMs);
RECT GetClientRect();
POINT ClientToScreen(POINT p);
POINT GetCursorPos();
void SetCursorPos(int32_t x, int32_t y);
int32_t ShowCursor(bool show);
// The top bit (0x8000) is set while the key is down.
int16_t GetAsyncKeyState(int32_t virtualKey);

// A private message number for `name`, the same for the same name for the
// whole run, from the range 0xC000 to 0xFFFF. Safe from any thread.
uint32_t RegisterWindowMessageW(const std::u16string& name);

}  // namespace platform
