#pragma once
// The sound backend for users: the output is SDL's audio device (see
// SdlOutput). It grants every cooperative level and primary format, and
// its buffers are never lost.

#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/sdl/SdlOutput.h"

namespace platform {

class SdlAudioBackend : public AudioBackend {
 public:
  SoundResult Open(std::shared_ptr<AudioOutput>* output) override;
  SoundResult GrantLevel(CooperativeLevel) override { return SoundResult::Ok; }
  SoundResult AcceptPrimaryFormat(const WaveFormat&) override { return SoundResult::Ok; }
  uint64_t LossEpoch() const override { return 0; }

  // The latest output's SdlOutput::MixedFrames, 0 when no output is open.
  uint64_t MixedFrames();
  // The latest output's SdlOutput::WaitForMixedFrames; false when no
  // output is open.
  bool WaitForMixedFrames(uint64_t frames, std::chrono::milliseconds realTimeLimit);

 private:
  std::shared_ptr<SdlOutput> Live();

  std::mutex outputMutex;  // guards `output`
  std::weak_ptr<SdlOutput> output;
};

}  // namespace platform
