#include "engine/platform/audio/sdl/SdlAudioBackend.h"

#include <string>

namespace platform {

SoundResult SdlAudioBackend::Open(std::shared_ptr<AudioOutput>* opened) {
  std::string error;
  std::shared_ptr<SdlOutput> made = SdlOutput::Open(&error);
  // Without a sound device the program runs silently; nothing to report.
  if (!made) return SoundResult::NoDriver;
  {
    const std::lock_guard guard(outputMutex);
    output = made;
  }
  *opened = std::move(made);
  return SoundResult::Ok;
}

std::shared_ptr<SdlOutput> SdlAudioBackend::Live() {
  const std::lock_guard guard(outputMutex);
  return output.lock();
}

uint64_t SdlAudioBackend::MixedFrames() {
  const std::shared_ptr<SdlOutput> live = Live();
  return live ? live->MixedFrames() : 0;
}

bool SdlAudioBackend::WaitForMixedFrames(uint64_t frames, std::chrono::milliseconds realTimeLimit) {
  const std::shared_ptr<SdlOutput> live = Live();
  return live && live->WaitForMixedFrames(frames, realTimeLimit);
}

}  // namespace platform
