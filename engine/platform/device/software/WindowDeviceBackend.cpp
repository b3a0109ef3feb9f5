#include "engine/platform/device/software/WindowDeviceBackend.h"

#include <SDL.h>

#include "engine/platform/window/Window.h"

namespace platform {

Result WindowDeviceBackend::GetDisplayMode(DisplayMode* mode) {
  // The subsystem is reference-counted, so this neither starts nor stops
  // the video the window backend already runs.
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return Result::NotAvailable;
  SDL_DisplayMode desktop{};
  const bool known = SDL_GetDesktopDisplayMode(0, &desktop) == 0;
  SDL_QuitSubSystem(SDL_INIT_VIDEO);
  if (!known) return Result::NotAvailable;
  mode->Width = static_cast<uint32_t>(desktop.w);
  mode->Height = static_cast<uint32_t>(desktop.h);
  mode->RefreshRate = static_cast<uint32_t>(desktop.refresh_rate);
  mode->format = Format::X8R8G8B8;
  return Result::Ok;
}

Result WindowDeviceBackend::CanCreateDevice(const PresentParameters&) {
  return CurrentWindowBackend().IsCreated() ? Result::Ok : Result::NotAvailable;
}

void WindowDeviceBackend::Present(const uint32_t* pixels, int32_t width, int32_t height,
                                  int32_t pitchBytes) {
  CurrentWindowBackend().Present(reinterpret_cast<const uint8_t*>(pixels), width, height,
                                 pitchBytes);
}

}  // namespace platform
