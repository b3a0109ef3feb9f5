#include "engine/platform/window/Window.h"

#include <map>
#include <mutex>

#include "engine/platform/window/sdl/SdlWindow.h"

namespace platform {

namespace {
std::unique_ptr<WindowBackend>& InstalledBackend() {
  static std::unique_ptr<WindowBackend> backend;
  return backend;
}
}  // namespace

WindowBackend& CurrentWindowBackend() {
  auto& backend = InstalledBackend();
  if (!backend) backend = std::make_unique<SdlWindow>();
  return *backend;
}

WindowBackend* InstallWindowBackend(std::unique_ptr<WindowBackend> backend) {
  InstalledBackend() = std::move(backend);
  return InstalledBackend().get();
}

bool PeekMessageW(MSG* msg) { return CurrentWindowBackend().PeekMessage(msg); }
void PostMessageW(uint32_t message, uint32_t wParam, int32_t lParam) {
  CurrentWindowBackend().PostMessage(message, wParam, lParam);
}
void PostQuitMessage(int32_t exitCode) {
  CurrentWindowBackend().PostMessage(WM_QUIT, static_cast<uint32_t>(exitCode), 0);
}
void WaitMessage(uint32_t timeoutMs) { CurrentWindowBackend().WaitMessage(timeoutMs); }
RECT GetClientRect() { return CurrentWindowBackend().GetClientRect(); }
POINT ClientToScreen(POINT p) { return CurrentWindowBackend().ClientToScreen(p); }
POINT GetCursorPos() { return CurrentWindowBackend().GetCursorPos(); }
void SetCursorPos(int32_t x, int32_t y) { CurrentWindowBackend().SetCursorPos(x, y); }
int32_t ShowCursor(bool show) { return CurrentWindowBackend().ShowCursor(show); }
int16_t GetAsyncKeyState(int32_t virtualKey) {
  return CurrentWindowBackend().IsKeyDown(virtualKey) ? static_cast<int16_t>(0x8000) : 0;
}

uint32_t RegisterWindowMessageW(const std::u16string& name) {
  static std::mutex mutex;
  static std::map<std::u16string, uint32_t> numbers;
  std::lock_guard lock(mutex);
  auto [it, added] = numbers.try_emplace(name, 0xC000u + static_cast<uint32_t>(numbers.size()));
  return it->second;
}

}  // namespace platform
