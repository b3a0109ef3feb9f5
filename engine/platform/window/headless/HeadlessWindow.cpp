#include "engine/platform/window/headless/HeadlessWindow.h"

#include "engine/platform/window/VirtualKeys.h"

namespace platform {

void HeadlessWindow::HoldKey(int32_t virtualKey, bool held) {
  std::lock_guard lock(mutex);
  if (held) {
    heldKeys.insert(virtualKey);
  } else {
    heldKeys.erase(virtualKey);
  }
}

bool HeadlessWindow::IsKeyDown(int32_t virtualKey) const {
  std::lock_guard lock(mutex);
  return heldKeys.count(virtualKey) != 0;
}

void HeadlessWindow::ClearQueue() {
  std::lock_guard lock(mutex);
  queue.clear();
}

bool HeadlessWindow::Create(const std::u16string& newTitle, int32_t newWidth, int32_t newHeight,
                            bool newWindowed, std::string* error) {
  if (!createFailure.empty()) {
    if (error) *error = createFailure;
    createFailure.clear();
    return false;
  }
  title = newTitle;
  width = newWidth;
  height = newHeight;
  windowed = newWindowed;
  created = true;
  PostMessage(WM_SHOWWINDOW, 1, 0);
  PostMessage(WM_SIZE, SIZE_RESTORED, MakeLParam(width, height));
  PostMessage(WM_PAINT, 0, 0);
  return true;
}

bool HeadlessWindow::PeekMessage(MSG* msg) {
  std::lock_guard lock(mutex);
  if (queue.empty()) return false;
  *msg = queue.front();
  queue.pop_front();
  return true;
}

void HeadlessWindow::PostMessage(uint32_t message, uint32_t wParam, int32_t lParam) {
  std::lock_guard lock(mutex);
  queue.push_back(MSG{message, wParam, lParam});
}

void HeadlessWindow::SetCursorPos(int32_t x, int32_t y) {
  cursor = POINT{x, y};
  cursorMoves.push_back(cursor);
  const POINT client{x - clientOrigin.x, y - clientOrigin.y};
  if (!created || !PtInRect(GetClientRect(), client)) return;
  uint32_t keys = 0;
  if (IsKeyDown(VK_CONTROL)) keys |= MK_CONTROL;
  if (IsKeyDown(VK_SHIFT)) keys |= MK_SHIFT;
  PostMessage(WM_MOUSEMOVE, keys, MakeLParam(client.x, client.y));
}

}  // namespace platform
