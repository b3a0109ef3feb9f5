#pragma once
// The headless backend's output: no sound leaves the machine. The output
// plays at kOutputRate by the current clock, from the moment it was
// opened: whenever a buffer is changed (or the capture is read), it first
// mixes every frame that has become due since, so under the manual clock
// the play cursors move exactly as far as the test has moved time. What it
// mixes is appended to a capture the backend keeps.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/platform/audio/AudioOutput.h"

namespace platform {

// Interleaved stereo frames at kOutputRate, as they were mixed.
struct MixCapture {
  std::mutex mutex;
  std::vector<int16_t> samples;
};

class ClockedOutput final : public AudioOutput {
 public:
  explicit ClockedOutput(std::shared_ptr<MixCapture> capture);
  // Mixes up to the present first, so the capture holds the output's whole
  // life.
  ~ClockedOutput() override;

  // Mixes what is due now (with the lock taken).
  void Flush();

 protected:
  void CatchUp() override;

 private:
  std::shared_ptr<MixCapture> capture;
  int64_t originTicks;
  uint64_t mixedFrames = 0;
  std::vector<int16_t> chunk;
};

}  // namespace platform
