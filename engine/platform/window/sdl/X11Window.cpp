#include "engine/platform/window/sdl/X11Window.h"

#include <SDL_syswm.h>
#include <dlfcn.h>

#include <cstring>

namespace platform {

// The few Xlib entry points the backend needs, looked up in the libX11 that
// SDL has already loaded.
struct X11Window::Library {
  void* handle = nullptr;
  Status (*getGeometry)(Display*, Drawable, ::Window*, int*, int*, unsigned int*, unsigned int*,
                        unsigned int*, unsigned int*) = nullptr;
  Bool (*translateCoordinates)(Display*, ::Window, ::Window, int, int, int*, int*,
                               ::Window*) = nullptr;
  int (*moveResizeWindow)(Display*, ::Window, int, int, unsigned int, unsigned int) = nullptr;
  int (*raiseWindow)(Display*, ::Window) = nullptr;
  int (*sync)(Display*, Bool) = nullptr;

  ~Library() {
    if (handle != nullptr) dlclose(handle);
  }

  template <typename Function>
  bool Find(Function** function, const char* name) {
    *function = reinterpret_cast<Function*>(dlsym(handle, name));
    return *function != nullptr;
  }

  bool Open() {
    handle = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    return handle != nullptr && Find(&getGeometry, "XGetGeometry") &&
           Find(&translateCoordinates, "XTranslateCoordinates") &&
           Find(&moveResizeWindow, "XMoveResizeWindow") && Find(&raiseWindow, "XRaiseWindow") &&
           Find(&sync, "XSync");
  }
};

std::unique_ptr<X11Window> X11Window::For(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 ||
      info.info.x11.display == nullptr) {
    return nullptr;
  }
  auto library = std::make_unique<Library>();
  if (!library->Open()) return nullptr;
  return std::make_unique<X11Window>(std::move(library), info.info.x11.display,
                                     info.info.x11.window);
}

X11Window::X11Window(std::unique_ptr<Library> library, void* display, unsigned long window)
    : library_(std::move(library)), display_(display), window_(window) {}

X11Window::~X11Window() = default;

std::optional<RECT> X11Window::Geometry() const {
  auto* display = static_cast<Display*>(display_);
  library_->sync(display, False);
  ::Window root = 0;
  int x = 0;
  int y = 0;
  unsigned int width = 0;
  unsigned int height = 0;
  unsigned int border = 0;
  unsigned int depth = 0;
  if (library_->getGeometry(display, window_, &root, &x, &y, &width, &height, &border, &depth) ==
      0) {
    return std::nullopt;
  }
  // XGetGeometry counts from the parent, which is a window manager's frame
  // when there is one; the root's coordinates come from translating.
  ::Window child = 0;
  if (!library_->translateCoordinates(display, window_, root, 0, 0, &x, &y, &child)) {
    return std::nullopt;
  }
  return RECT{x, y, x + static_cast<int32_t>(width), y + static_cast<int32_t>(height)};
}

void X11Window::Place(const RECT& root) {
  auto* display = static_cast<Display*>(display_);
  library_->moveResizeWindow(display, window_, root.left, root.top,
                             static_cast<unsigned int>(root.right - root.left),
                             static_cast<unsigned int>(root.bottom - root.top));
  library_->raiseWindow(display, window_);
  library_->sync(display, False);
}

bool X11Window::MayHaveMoved(const SDL_Event& event) {
  if (event.type != SDL_SYSWMEVENT || event.syswm.msg == nullptr ||
      event.syswm.msg->subsystem != SDL_SYSWM_X11) {
    return false;
  }
  switch (event.syswm.msg->msg.x11.event.type) {
    case ConfigureNotify:
    case ReparentNotify:
    case MapNotify:
      return true;
    default:
      return false;
  }
}

}  // namespace platform
