#pragma once
// The sound backend for tests. Nothing is heard: the output mixes by the
// current clock (see ClockedOutput) and keeps every frame it mixed, to be
// read back or saved as a WAV file. The test decides what the outside
// world would: whether there is a sound device at all, whether the
// exclusive level and the primary format are granted, and when buffers
// lose their memory.
//
// Meant for one output at a time (one device), as the engine makes it.
// Thread-safe.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/headless/ClockedOutput.h"

namespace platform {

class HeadlessAudioBackend : public AudioBackend {
 public:
  // "No device": Open reports NoDriver while false.
  void SetDeviceAvailable(bool available) { deviceAvailable = available; }
  void RefuseExclusiveLevel(bool refuse) { refuseExclusive = refuse; }
  void RefusePrimaryFormat(bool refuse) { refusePrimaryFormat = refuse; }
  // Every buffer made or restored before now is lost.
  void LoseBuffers() { ++epoch; }

  // Every frame mixed so far, interleaved stereo at kOutputRate, starting
  // when the first output was opened; a live output first mixes what is
  // due by the clock.
  std::vector<int16_t> Captured();
  // Writes Captured() as a WAV file; false with a reason in `error` when
  // it cannot be written.
  bool SaveCaptureWav(const std::string& path, std::string* error = nullptr);

  SoundResult Open(std::shared_ptr<AudioOutput>* output) override;
  SoundResult GrantLevel(CooperativeLevel level) override;
  SoundResult AcceptPrimaryFormat(const WaveFormat& format) override;
  uint64_t LossEpoch() const override { return epoch; }

 private:
  std::atomic<bool> deviceAvailable{true};
  std::atomic<bool> refuseExclusive{false};
  std::atomic<bool> refusePrimaryFormat{false};
  std::atomic<uint64_t> epoch{0};
  std::shared_ptr<MixCapture> capture = std::make_shared<MixCapture>();
  std::mutex outputMutex;  // guards `output`
  std::weak_ptr<ClockedOutput> output;
};

}  // namespace platform
