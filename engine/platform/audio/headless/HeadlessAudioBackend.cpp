#include "engine/platform/audio/headless/HeadlessAudioBackend.h"

#include "engine/platform/audio/WavFile.h"

namespace platform {

std::vector<int16_t> HeadlessAudioBackend::Captured() {
  std::shared_ptr<ClockedOutput> live;
  {
    const std::lock_guard guard(outputMutex);
    live = output.lock();
  }
  if (live) live->Flush();
  const std::lock_guard guard(capture->mutex);
  return capture->samples;
}

bool HeadlessAudioBackend::SaveCaptureWav(const std::string& path, std::string* error) {
  const std::vector<int16_t> samples = Captured();
  return WriteWavFile(path, samples, kOutputChannels, kOutputRate, error);
}

SoundResult HeadlessAudioBackend::Open(std::shared_ptr<AudioOutput>* opened) {
  if (!deviceAvailable) return SoundResult::NoDriver;
  auto made = std::make_shared<ClockedOutput>(capture);
  {
    const std::lock_guard guard(outputMutex);
    output = made;
  }
  *opened = std::move(made);
  return SoundResult::Ok;
}

SoundResult HeadlessAudioBackend::GrantLevel(CooperativeLevel level) {
  return level == CooperativeLevel::Exclusive && refuseExclusive ? SoundResult::Refused
                                                                 : SoundResult::Ok;
}

SoundResult HeadlessAudioBackend::AcceptPrimaryFormat(const WaveFormat&) {
  return refusePrimaryFormat ? SoundResult::Refused : SoundResult::Ok;
}

}  // namespace platform
