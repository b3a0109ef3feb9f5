#pragma once
// Sums every playing voice into the output: each voice resampled from its
// own rate to the output rate, the sum clipped to 16 bits (a sum past full
// scale stays at full scale instead of wrapping round to the other sign).
//
// Not thread-safe: the output's lock guards the mixer and its voices (see
// AudioOutput).

#include <cstdint>
#include <vector>

#include "engine/platform/audio/MixerVoice.h"

namespace platform {

class Mixer {
 public:
  explicit Mixer(uint32_t outputRate = kOutputRate) : outputRate(outputRate) {}
  Mixer(const Mixer&) = delete;
  Mixer& operator=(const Mixer&) = delete;

  // Voices are not owned; each must be removed before it goes away.
  void Add(MixerVoice* voice);
  void Remove(MixerVoice* voice);

  // Writes `frames` interleaved stereo frames into `out`, moving every
  // playing voice on by as much.
  void Mix(int16_t* out, uint32_t frames);

  uint32_t OutputRate() const { return outputRate; }

 private:
  uint32_t outputRate;
  std::vector<MixerVoice*> voices;
  std::vector<int32_t> sum;  // kept between calls to spare the allocation
};

}  // namespace platform
