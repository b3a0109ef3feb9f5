#include "engine/platform/audio/AudioBackend.h"

#include <mutex>

#include "engine/platform/audio/sdl/SdlAudioBackend.h"

namespace platform {

namespace {

// Installing happens at set-up, while devices are made on the window's
// thread; the lock keeps a stray call from another thread harmless.
std::mutex installMutex;

std::shared_ptr<AudioBackend>& InstalledBackend() {
  static std::shared_ptr<AudioBackend> backend;
  return backend;
}

}  // namespace

std::shared_ptr<AudioBackend> CurrentAudioBackend() {
  const std::lock_guard guard(installMutex);
  std::shared_ptr<AudioBackend>& backend = InstalledBackend();
  if (!backend) backend = std::make_shared<SdlAudioBackend>();
  return backend;
}

void InstallAudioBackend(std::shared_ptr<AudioBackend> backend) {
  const std::lock_guard guard(installMutex);
  InstalledBackend() = std::move(backend);
}

}  // namespace platform
