#pragma once
// The window service on a real desktop, through SDL2.

#include "engine/platform/window/Window.h"

namespace platform {

class SdlWindow : public WindowBackend {
 public:
  SdlWindow();
  ~SdlWindow() override;
  SdlWindow(const SdlWindow&) = delete;
  SdlWindow& operator=(const SdlWindow&) = delete;

  bool Create(const std::u16string& title, int32_t width, int32_t height, bool windowed,
              std::string* error) override;
  void Destroy() override;
  bool IsCreated() const override;
  bool PeekMessage(MSG* msg) override;
  void PostMessage(uint32_t message, uint32_t wParam, int32_t lParam) override;
  void WaitMessage(uint32_t timeoutMs) override;
  void Present(const uint8_t* pixels, int32_t width, int32_t height, int32_t pitchBytes) override;
  RECT GetClientRect() const override;
  POINT ClientToScreen(POINT p) const override;
  POINT GetCursorPos() const override;
  void SetCursorPos(int32_t x, int32_t y) override;
  int32_t ShowCursor(bool show) override;
  bool IsKeyDown(int32_t virtualKey) const override;
  void ShowFatalError(const std::u16string& title, const std::string& message) override;

 private:
  struct State;
  std::unique_ptr<State> state;
};

}  // namespace platform
