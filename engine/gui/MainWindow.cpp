#include "engine/gui/MainWindow.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/text/Utf.h"
#include "engine/render/DrawSurface.h"
#include "engine/res/ResourceManager.h"

namespace {
IMWindow* mainWindow = nullptr;

constexpr uint32_t kGlideMoves = 50;
constexpr uint32_t kGlideIntervalMs = 20;

// One move of a glide. Each move removes its own timer and, unless it was
// the last, starts a new one carrying the next move.
struct GlideTick {
  IMWindow* window;
  FLOATPOINT point;
  FLOATPOINT step;
  uint32_t movesLeft;
  uint32_t timerId;
  uint32_t interval;

  long operator()(IMControl* picture, const IMEvent&) const {
    const auto x = static_cast<int32_t>(std::trunc(point.x));
    const auto y = static_cast<int32_t>(std::trunc(point.y));
    if (picture) {
      const RECT r = picture->GetRect();
      picture->SetRect(RECT{x, y, x + (r.right - r.left), y + (r.bottom - r.top)});
    } else {
      window->SetCursorPosition(x, y);
    }
    window->RemoveTimer(timerId);
    if (movesLeft <= 1) return 0;
    GlideTick next = *this;
    next.point = FLOATPOINT{point.x + step.x, point.y + step.y};
    next.movesLeft = movesLeft - 1;
    next.timerId = window->AddTimer(interval);
    window->ConnectTimer(next.timerId,
                         boost::bind<long>(next, picture, boost::placeholders::_1));
    return 0;
  }
};
}  // namespace

IMWindow* GetMainWindow() { return mainWindow; }

IMWindow::IMWindow() : IMDialogBase(nullptr) { mainWindow = this; }

IMWindow::~IMWindow() {
  // The children go before the engine does: their views give their
  // textures back to it.
  DeleteChildren();
  IMResourceManager::StopEngine();
  mainWindow = nullptr;
  auto& backend = platform::CurrentWindowBackend();
  if (backend.IsCreated()) backend.Destroy();
  timers.clear();
  retiredTimers.clear();
}

void IMWindow::Destroy() { platform::PostQuitMessage(0); }

void IMWindow::RenderFrame() {
  if (suspended) return;
  IMDrawSurface& surface = CurrentDrawSurface();
  if (IsDirty()) {
    surface.Clear(0xFF000000u);
    surface.BeginScene();
    Draw(IMEvent(this, kEventDraw));
    ++surface.frameCount;
    surface.EndScene();
    surface.Present();
    SetDirty(false);
  } else {
    ++surface.frameCount;
  }
}

void IMWindow::PollMouseOver() {
  const POINT origin = platform::ClientToScreen(POINT{0, 0});
  const RECT client = OffsetRect(platform::GetClientRect(), origin.x, origin.y);
  const POINT cursor = platform::GetCursorPos();
  const bool inside = PtInRect(client, cursor);
  if (inside && !mouseOver) {
    OnMouseEnter(IMMouseEvent(this, kEventMouseEnter, 0, cursor.x, cursor.y));
  } else if (!inside && mouseOver) {
    OnMouseLeave(IMMouseEvent(this, kEventMouseLeave, 0, cursor.x, cursor.y));
  }
}

void IMWindow::HandleMessage(const platform::MSG& msg) {
  if (messageDispatcher) messageDispatcher(msg);
  IMDrawSurface& surface = CurrentDrawSurface();
  const auto message = static_cast<int32_t>(msg.message);
  switch (msg.message) {
    case WM_DESTROY:
      platform::PostQuitMessage(0);
      break;
    case WM_SIZE:
      suspended = msg.wParam == SIZE_MINIMIZED;
      break;
    case WM_PAINT:
      if (!surface.CheckDeviceLost() || surface.RestoreDevice()) SetDirty(true);
      break;
    case WM_CLOSE:
      OnClose(IMEvent(this, kEventClose));
      break;
    case WM_SHOWWINDOW:
      suspended = msg.wParam == 0;
      break;
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
      OnKeyboard(IMKeyboardEvent(this, message, msg.wParam, msg.lParam));
      break;
    case WM_MOUSEMOVE:
      if (surface.CheckDeviceLost()) break;
      OnMouseMove(IMMouseEvent(this, message, msg.wParam, LParamX(msg.lParam),
                               LParamY(msg.lParam)));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
      OnMouseButton(IMMouseEvent(this, message, msg.wParam, LParamX(msg.lParam),
                                 LParamY(msg.lParam)));
      break;
    case WM_ENTERSIZEMOVE:
      suspended = true;
      break;
    case WM_EXITSIZEMOVE:
      suspended = false;
      break;
    default:
      // Right and middle double clicks and dead keys do not reach the tree.
      break;
  }
  // What the system does after the program's own handling: a close request
  // that the program let through destroys the window, and a destroyed
  // window ends the loop.
  if (msg.message == WM_CLOSE) {
    auto& backend = platform::CurrentWindowBackend();
    if (backend.IsCreated()) backend.Destroy();
    HandleMessage(platform::MSG{WM_DESTROY, 0, 0});
  }
}

uint32_t IMWindow::AddTimer(uint32_t intervalMs) {
  const uint32_t id = ++nextTimerId;
  timers.emplace(id, std::make_unique<IMTimer>(intervalMs, platform::QueryPerformanceCounter()));
  return id;
}

void IMWindow::RemoveTimer(uint32_t id) {
  auto it = timers.find(id);
  if (id == 0 || it == timers.end()) return;
  it->second->fired.disconnect_all_slots();
  if (firingTimers) retiredTimers.push_back(std::move(it->second));
  timers.erase(it);
}

boost::signals2::connection IMWindow::ConnectTimer(uint32_t id,
                                                   const IMEventSignal::slot_type& slot) {
  auto it = timers.find(id);
  if (id == 0 || it == timers.end()) return {};
  return it->second->fired.connect(slot);
}

void IMWindow::FireDueTimers() {
  if (timers.empty()) return;
  const int64_t now = platform::QueryPerformanceCounter();
  const int64_t frequency = platform::QueryPerformanceFrequency();
  firingTimers = true;
  // Visit by id rather than by iterator: a handler may remove any timer,
  // the next one included, and timers it adds (higher ids) are visited in
  // this same pass.
  for (auto it = timers.begin(); it != timers.end();) {
    const uint32_t id = it->first;
    IMTimer& timer = *it->second;
    // A timer created during this pass was stamped after `now`; it has
    // waited no time at all, not a negative (and, unsigned, enormous) one.
    const int64_t elapsedMs = std::max<int64_t>(0, (now - timer.last) * 1000 / frequency);
    if (elapsedMs >= static_cast<int64_t>(timer.interval)) {
      timer.last = platform::QueryPerformanceCounter();
      EmitSignal(timer.fired, IMEvent(this, kEventGeneric));
    }
    it = timers.upper_bound(id);
  }
  firingTimers = false;
  retiredTimers.clear();
}

void IMWindow::SetCursorPosition(int32_t x, int32_t y) {
  const POINT origin = platform::ClientToScreen(POINT{0, 0});
  platform::SetCursorPos(origin.x + x, origin.y + y);
}

void IMWindow::GlideTo(float fromX, float fromY, int32_t toX, int32_t toY, IMControl* picture) {
  const FLOATPOINT step{(static_cast<float>(toX) - fromX) / static_cast<float>(kGlideMoves),
                        (static_cast<float>(toY) - fromY) / static_cast<float>(kGlideMoves)};
  GlideTick first{this, FLOATPOINT{fromX + step.x, fromY + step.y}, step, kGlideMoves,
                  AddTimer(kGlideIntervalMs), kGlideIntervalMs};
  // Bound to the picture, so that the glide ends with it.
  ConnectTimer(first.timerId, boost::bind<long>(first, picture, boost::placeholders::_1));
}

IMWindow* CreateMainWindow(const std::u16string& title, std::optional<RECT> rect, bool windowed) {
  RECT client{0, 0, IMDetachedDrawSurface::kScreenWidth, IMDetachedDrawSurface::kScreenHeight};
  if (rect) client = RECT{0, 0, rect->right - rect->left, rect->bottom - rect->top};
  auto& backend = platform::CurrentWindowBackend();
  std::string error;
  if (!backend.Create(title, client.right, client.bottom, windowed, &error)) {
    std::fprintf(stderr, "%s: %s\n", platform::Utf16ToUtf8(title).c_str(), error.c_str());
    backend.ShowFatalError(title, error);
    std::exit(1);
  }
  // Without a device there is nothing to show: say why and stop, rather
  // than let the exception end the program with a crash report.
  try {
    IMResourceManager::StartEngine(windowed);
  } catch (const std::exception& e) {
    const std::string message = std::string("cannot draw on this display: ") + e.what();
    std::fprintf(stderr, "%s: %s\n", platform::Utf16ToUtf8(title).c_str(), message.c_str());
    backend.ShowFatalError(title, message);
    backend.Destroy();
    std::exit(1);
  }
  auto* root = new IMWindow();
  root->SetMessageDispatcher([](const platform::MSG& msg) {
    if (engineInstance) engineInstance->HandleSoundMessage(msg);
  });
  return root;
}

LoopPass RunMessageLoopPass(IMWindow* root) {
  platform::MSG msg;
  if (platform::PeekMessageW(&msg)) {
    if (msg.message == WM_QUIT) return LoopPass::Quit;
    if (IMWindow* window = GetMainWindow()) window->HandleMessage(msg);
    return LoopPass::Message;
  }
  if (root && !CurrentDrawSurface().IsDeviceLost()) {
    root->Update(IMEvent(root, kEventUpdate));
    root->RenderFrame();
  }
  if (root) root->FireDueTimers();
  platform::WaitMessage(1);
  return LoopPass::Idle;
}

int RunMessageLoop(IMWindow* root) {
  while (RunMessageLoopPass(root) != LoopPass::Quit) {
  }
  return 0;
}
