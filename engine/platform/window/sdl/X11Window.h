#pragma once
// The X server's own answers about the SDL window.
//
// SDL believes a full-screen window covers the display as soon as it has
// asked the window manager for it. With no window manager nobody carries
// the request out: the window stays where and as large as it was created
// while SDL reports the display's size. Only the X server knows the real
// geometry, so the backend asks it, and places the window itself when
// nobody else has.
//
// libX11 is opened at run time, the way SDL itself opens it: the program
// then needs it only when it actually runs on X.

#include <SDL.h>

#include <memory>
#include <optional>

#include "engine/platform/geometry/Rect.h"

namespace platform {

class X11Window {
 public:
  struct Library;

  // Null unless `window` is an X11 window and libX11 can be opened.
  static std::unique_ptr<X11Window> For(SDL_Window* window);
  // Made by For; Library is this class's own.
  X11Window(std::unique_ptr<Library> library, void* display, unsigned long window);
  ~X11Window();
  X11Window(const X11Window&) = delete;
  X11Window& operator=(const X11Window&) = delete;

  // The window's inside in root-window pixels, as the server has it once
  // every request sent so far has been carried out. Empty when the server
  // cannot say.
  std::optional<RECT> Geometry() const;
  // Moves and resizes the window to `root` (root-window pixels) above its
  // siblings, and returns once the server has done what it will do with
  // the request (a window manager may still change it afterwards).
  void Place(const RECT& root);

  // Whether `event` is an X event (an SDL_SYSWMEVENT) after which the
  // window may be somewhere else or of another size.
  static bool MayHaveMoved(const SDL_Event& event);

 private:
  std::unique_ptr<Library> library_;
  void* display_;
  unsigned long window_;
};

}  // namespace platform
