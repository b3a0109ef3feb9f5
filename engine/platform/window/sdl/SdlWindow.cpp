#include "engine/platform/window/sdl/SdlWindow.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "engine/platform/text/Utf.h"
#include "engine/platform/window/VirtualKeys.h"
#include "engine/platform/window/sdl/Letterbox.h"
#include "engine/platform/window/sdl/SdlEventTranslator.h"
#include "engine/platform/window/sdl/SdlKeys.h"
#include "engine/platform/window/sdl/X11Window.h"

namespace platform {

namespace {

struct SdlDeleter {
  void operator()(SDL_Window* window) const { SDL_DestroyWindow(window); }
  void operator()(SDL_Renderer* renderer) const { SDL_DestroyRenderer(renderer); }
  void operator()(SDL_Texture* texture) const { SDL_DestroyTexture(texture); }
};
template <typename T>
using SdlPtr = std::unique_ptr<T, SdlDeleter>;

// The mouse buttons as GetAsyncKeyState knows them.
constexpr int32_t kVirtualLeftButton = 0x01;
constexpr int32_t kVirtualRightButton = 0x02;
constexpr int32_t kVirtualMiddleButton = 0x04;

// The event PostMessage pushes into SDL's queue to wake a thread waiting in
// SDL_WaitEventTimeout. One number for the whole run.
uint32_t WakeEventType() {
  static const uint32_t type = SDL_RegisterEvents(1);
  return type;
}

std::string SdlSaid() {
  const char* said = SDL_GetError();
  return said != nullptr && *said != '\0' ? said : "nothing";
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// SDL starts its video only when it reaches a display, so a failure here
// nearly always means there is none; say which one it tried.
std::string NoDisplayError(const std::string& sdlSaid) {
  std::string why;
  if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
    why = "DISPLAY is not set, nor is WAYLAND_DISPLAY";
  } else {
    why = "cannot reach";
    if (IsSet("DISPLAY")) why += std::string(" DISPLAY=") + std::getenv("DISPLAY");
    if (IsSet("WAYLAND_DISPLAY"))
      why += std::string(" WAYLAND_DISPLAY=") + std::getenv("WAYLAND_DISPLAY");
  }
  return "cannot open the window: no display (" + why + "; SDL said: " + sdlSaid + ")";
}

// When no real display answers, SDL quietly falls back on a driver that
// draws into memory. A window nobody can see is no window: such a driver
// counts only when SDL_VIDEODRIVER asks for it by name, as tests do.
bool FellBackOnInvisibleDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver == nullptr) return false;
  const std::string name = driver;
  if (name != "offscreen" && name != "dummy" && name != "evdev") return false;
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  return asked == nullptr || std::string(asked).find(name) == std::string::npos;
}

RECT RectFromSdl(const SDL_Rect& r) { return RECT{r.x, r.y, r.x + r.w, r.y + r.h}; }

}  // namespace

struct SdlWindow::State {
  // The queue, shared with posting threads.
  std::mutex mutex;
  std::condition_variable arrived;
  std::deque<MSG> queue;
  // Whether SDL's queue can take wake events, and whether one is in it
  // already: one is enough to end a wait, however many messages follow.
  std::atomic<bool> wakeReady{false};
  std::atomic<bool> wakePending{false};
  uint32_t wakeType = 0;

  // Everything below belongs to the thread that created the window.
  bool videoStarted = false;
  SdlPtr<SDL_Window> window;
  SdlPtr<SDL_Renderer> renderer;
  SdlPtr<SDL_Texture> texture;
  std::unique_ptr<X11Window> x11;
  int32_t clientWidth = 800;
  int32_t clientHeight = 600;
  SdlEventTranslator translator{800, 600};
  // The top-left of the display the window is on, in desktop pixels.
  POINT displayOrigin;
  // Whether SDL can read and move the pointer anywhere on the desktop (X11
  // can; Wayland only knows it inside the window).
  bool globalPointer = false;
  int32_t cursorCount = 0;
  std::vector<MSG> translated;

  bool StartVideo(std::string* error);
  void CoverDisplay();
  void RefreshGeometry();
  void Handle(const SDL_Event& event);
  void Pump();
  void Append(const std::vector<MSG>& messages);
  void ApplyCursorVisibility() const;
};

bool SdlWindow::State::StartVideo(std::string* error) {
  if (videoStarted) return true;
  // Ctrl+C in a terminal ends the program as for any other; SDL would
  // otherwise turn it into a close request.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Closing the window is WM_CLOSE once, not also a quit event after it.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    if (error != nullptr) *error = NoDisplayError(SdlSaid());
    return false;
  }
  if (FellBackOnInvisibleDriver()) {
    if (error != nullptr) {
      *error = NoDisplayError(std::string("only its ") + SDL_GetCurrentVideoDriver() +
                              " driver started, which shows nothing");
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  videoStarted = true;
  wakeType = WakeEventType();
  wakeReady = wakeType != static_cast<uint32_t>(-1);
  return true;
}

void SdlWindow::State::CoverDisplay() {
  // Only X can be asked where the window really is; elsewhere SDL's word is
  // all there is.
  if (!x11) return;
  const int index = SDL_GetWindowDisplayIndex(window.get());
  SDL_Rect bounds;
  if (index < 0 || SDL_GetDisplayBounds(index, &bounds) != 0) return;
  const RECT display = RectFromSdl(bounds);
  const std::optional<RECT> real = x11->Geometry();
  if (real && *real == display) return;
  // Nobody has carried out the full-screen request (yet). Doing it here is
  // harmless when a window manager does it later: it gives the same place.
  x11->Place(display);
}

void SdlWindow::State::RefreshGeometry() {
  if (!window) return;
  SDL_Rect bounds{0, 0, 0, 0};
  const int index = SDL_GetWindowDisplayIndex(window.get());
  if (index >= 0) SDL_GetDisplayBounds(index, &bounds);
  displayOrigin = POINT{bounds.x, bounds.y};

  std::optional<RECT> real = x11 ? x11->Geometry() : std::nullopt;
  if (!real) {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    SDL_GetWindowPosition(window.get(), &x, &y);
    SDL_GetWindowSize(window.get(), &width, &height);
    real = RECT{x, y, x + width, y + height};
  }
  translator.SetLetterbox(
      Letterbox(clientWidth, clientHeight, OffsetRect(*real, -bounds.x, -bounds.y)));
}

void SdlWindow::State::Handle(const SDL_Event& event) {
  if (event.type == wakeType) {
    wakePending = false;
    return;
  }
  if (X11Window::MayHaveMoved(event)) {
    RefreshGeometry();
    return;
  }
  if (event.type == SDL_WINDOWEVENT) {
    switch (event.window.event) {
      case SDL_WINDOWEVENT_MOVED:
      case SDL_WINDOWEVENT_RESIZED:
      case SDL_WINDOWEVENT_SIZE_CHANGED:
      case SDL_WINDOWEVENT_SHOWN:
      case SDL_WINDOWEVENT_RESTORED:
      case SDL_WINDOWEVENT_MAXIMIZED:
      case SDL_WINDOWEVENT_DISPLAY_CHANGED:
        RefreshGeometry();
        break;
      case SDL_WINDOWEVENT_FOCUS_GAINED:
        translator.SetModifiers(SDL_GetModState());
        break;
      default:
        break;
    }
  }
  translated.clear();
  translator.Translate(event, &translated);
  Append(translated);
}

void SdlWindow::State::Pump() {
  if (!videoStarted) return;
  SDL_PumpEvents();
  SDL_Event event;
  while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0) {
    Handle(event);
  }
}

void SdlWindow::State::Append(const std::vector<MSG>& messages) {
  if (messages.empty()) return;
  const std::lock_guard lock(mutex);
  for (const MSG& message : messages) {
    // Like Windows, one WM_PAINT waiting is enough: the frame drawn for it
    // shows everything exposed so far.
    if (message.message == WM_PAINT &&
        std::any_of(queue.begin(), queue.end(),
                    [](const MSG& queued) { return queued.message == WM_PAINT; })) {
      continue;
    }
    queue.push_back(message);
  }
}

void SdlWindow::State::ApplyCursorVisibility() const {
  if (videoStarted) SDL_ShowCursor(cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
}

SdlWindow::SdlWindow() : state(std::make_unique<State>()) {}

SdlWindow::~SdlWindow() {
  Destroy();
  if (state->videoStarted) {
    state->wakeReady = false;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
  }
}

bool SdlWindow::Create(const std::u16string& title, int32_t width, int32_t height, bool windowed,
                       std::string* error) {
  Destroy();
  State& s = *state;
  if (!s.StartVideo(error)) return false;
  auto fail = [&](const std::string& what) {
    if (error != nullptr)
      *error = "cannot open the window: " + what + " (SDL said: " + SdlSaid() + ")";
    Destroy();
    return false;
  };

  s.clientWidth = width;
  s.clientHeight = height;
  s.translator = SdlEventTranslator(width, height);
  // Full screen takes the desktop as it is: the display mode never changes,
  // the picture is scaled into it.
  const uint32_t flags = windowed ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP;
  s.window.reset(SDL_CreateWindow(Utf16ToUtf8(title).c_str(), SDL_WINDOWPOS_CENTERED,
                                  SDL_WINDOWPOS_CENTERED, width, height, flags));
  if (!s.window) return fail("SDL could not create it");

  s.renderer.reset(SDL_CreateRenderer(s.window.get(), -1, SDL_RENDERER_ACCELERATED));
  if (!s.renderer) s.renderer.reset(SDL_CreateRenderer(s.window.get(), -1, SDL_RENDERER_SOFTWARE));
  if (!s.renderer) return fail("no renderer, not even SDL's software one");

  // Smooth scaling: the picture is rarely shown at a whole multiple.
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  s.texture.reset(SDL_CreateTexture(s.renderer.get(), SDL_PIXELFORMAT_ARGB8888,
                                    SDL_TEXTUREACCESS_STREAMING, width, height));
  if (!s.texture) return fail("no texture for the picture");
  // The frames' alpha is ignored: copy, do not blend.
  SDL_SetTextureBlendMode(s.texture.get(), SDL_BLENDMODE_NONE);

  // Found only now: an OpenGL renderer may have replaced the X window.
  s.x11 = X11Window::For(s.window.get());
  const char* driver = SDL_GetCurrentVideoDriver();
  s.globalPointer = driver != nullptr && std::strcmp(driver, "x11") == 0;
  if (s.x11) SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
  if (!windowed) s.CoverDisplay();

  // What SDL reported while the window came up is already known: a freshly
  // shown window gets its three messages below, once.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_WINDOWEVENT, SDL_SYSWMEVENT);
  s.RefreshGeometry();
  s.translator.SetModifiers(SDL_GetModState());
  SDL_StartTextInput();
  s.ApplyCursorVisibility();

  PostMessage(WM_SHOWWINDOW, 1, 0);
  PostMessage(WM_SIZE, SIZE_RESTORED, MakeLParam(width, height));
  PostMessage(WM_PAINT, 0, 0);
  return true;
}

void SdlWindow::Destroy() {
  State& s = *state;
  if (!s.window) return;
  SDL_StopTextInput();
  s.texture.reset();
  s.renderer.reset();
  s.x11.reset();
  s.window.reset();
  // Input still waiting in SDL was meant for the window that is gone, as on
  // Windows, where a destroyed window's messages go with it. Wake events
  // (user events) stay.
  SDL_PumpEvents();
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_USEREVENT - 1);
}

bool SdlWindow::IsCreated() const { return state->window != nullptr; }

bool SdlWindow::PeekMessage(MSG* msg) {
  state->Pump();
  const std::lock_guard lock(state->mutex);
  if (state->queue.empty()) return false;
  *msg = state->queue.front();
  state->queue.pop_front();
  return true;
}

void SdlWindow::PostMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  State& s = *state;
  {
    const std::lock_guard lock(s.mutex);
    s.queue.push_back(MSG{message, wParam, lParam});
  }
  s.arrived.notify_all();
  if (s.wakeReady && !s.wakePending.exchange(true)) {
    SDL_Event wake;
    SDL_zero(wake);
    wake.type = s.wakeType;
    if (SDL_PushEvent(&wake) != 1) s.wakePending = false;
  }
}

void SdlWindow::WaitMessage(uint32_t timeoutMs) {
  State& s = *state;
  {
    std::unique_lock lock(s.mutex);
    if (!s.queue.empty()) return;
    // Before SDL runs, only PostMessage can bring anything.
    if (!s.videoStarted) {
      s.arrived.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                         [&] { return !s.queue.empty(); });
      return;
    }
  }
  SDL_Event event;
  if (SDL_WaitEventTimeout(&event, static_cast<int>(std::min<uint32_t>(timeoutMs, INT_MAX)))) {
    s.Handle(event);
  }
}

void SdlWindow::Present(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitchBytes) {
  State& s = *state;
  // A frame of another size than the client area has no place to go.
  if (!s.texture || pixels == nullptr || width != s.clientWidth || height != s.clientHeight) return;
  SDL_UpdateTexture(s.texture.get(), nullptr, pixels, pitchBytes);
  int outputWidth = 0;
  int outputHeight = 0;
  SDL_GetRendererOutputSize(s.renderer.get(), &outputWidth, &outputHeight);
  // Drawn where the renderer's own surface puts it; once the window really
  // covers what SDL believes, this is also where the pointer is mapped.
  const RECT picture = Letterbox(width, height, RECT{0, 0, outputWidth, outputHeight}).Picture();
  const SDL_Rect target{picture.left, picture.top, picture.right - picture.left,
                        picture.bottom - picture.top};
  SDL_SetRenderDrawColor(s.renderer.get(), 0, 0, 0, 255);
  SDL_RenderClear(s.renderer.get());
  SDL_RenderCopy(s.renderer.get(), s.texture.get(), nullptr, &target);
  SDL_RenderPresent(s.renderer.get());
}

RECT SdlWindow::GetClientRect() const {
  return RECT{0, 0, state->clientWidth, state->clientHeight};
}

POINT SdlWindow::ClientToScreen(POINT p) const {
  return state->translator.GetLetterbox().ClientToScreen(p);
}

POINT SdlWindow::GetCursorPos() const {
  const State& s = *state;
  if (!s.window) return POINT{};
  const Letterbox& box = s.translator.GetLetterbox();
  int x = 0;
  int y = 0;
  if (s.globalPointer) {
    SDL_GetGlobalMouseState(&x, &y);
    return box.DisplayToScreen(POINT{x - s.displayOrigin.x, y - s.displayOrigin.y});
  }
  SDL_GetMouseState(&x, &y);
  return box.ClientToScreen(box.WindowToClient(POINT{x, y}));
}

void SdlWindow::SetCursorPos(int32_t x, int32_t y) {
  const State& s = *state;
  if (!s.window) return;
  const Letterbox& box = s.translator.GetLetterbox();
  if (s.globalPointer) {
    const POINT display = box.ScreenToDisplay(POINT{x, y});
    SDL_WarpMouseGlobal(display.x + s.displayOrigin.x, display.y + s.displayOrigin.y);
    return;
  }
  const POINT window = box.ClientToWindow(box.ScreenToClient(POINT{x, y}));
  SDL_WarpMouseInWindow(s.window.get(), window.x, window.y);
}

int32_t SdlWindow::ShowCursor(bool show) {
  state->cursorCount += show ? 1 : -1;
  state->ApplyCursorVisibility();
  return state->cursorCount;
}

void SdlWindow::ShowFatalError(const std::u16string& title, const std::string& message) {
  // Without a display SDL refuses at once, and the line on stderr is all.
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, Utf16ToUtf8(title).c_str(), message.c_str(),
                           state->window.get());
}

bool SdlWindow::IsKeyDown(int32_t virtualKey) const {
  const State& s = *state;
  if (!s.videoStarted) return false;
  uint32_t buttonMask = 0;
  switch (virtualKey) {
    case kVirtualLeftButton:
      buttonMask = SDL_BUTTON_LMASK;
      break;
    case kVirtualRightButton:
      buttonMask = SDL_BUTTON_RMASK;
      break;
    case kVirtualMiddleButton:
      buttonMask = SDL_BUTTON_MMASK;
      break;
    default:
      break;
  }
  if (buttonMask != 0) {
    const uint32_t held = s.globalPointer ? SDL_GetGlobalMouseState(nullptr, nullptr)
                                          : SDL_GetMouseState(nullptr, nullptr);
    return (held & buttonMask) != 0;
  }
  int count = 0;
  const uint8_t* keys = SDL_GetKeyboardState(&count);
  const bool numLock = (SDL_GetModState() & KMOD_NUM) != 0;
  for (int scancode = 0; scancode < count; ++scancode) {
    if (keys[scancode] != 0 &&
        ScancodeHoldsVirtualKey(static_cast<SDL_Scancode>(scancode), virtualKey, numLock)) {
      return true;
    }
  }
  return false;
}

}  // namespace platform
