#include "engine/platform/audio/Mixer.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace platform {

void Mixer::Add(MixerVoice* voice) {
  assert(std::find(voices.begin(), voices.end(), voice) == voices.end());
  voices.push_back(voice);
}

void Mixer::Remove(MixerVoice* voice) {
  const auto it = std::find(voices.begin(), voices.end(), voice);
  assert(it != voices.end());
  voices.erase(it);
}

void Mixer::Mix(int16_t* out, uint32_t frames) {
  sum.assign(size_t{frames} * 2, 0);
  for (MixerVoice* voice : voices) voice->MixInto(sum.data(), frames, outputRate);
  for (size_t i = 0; i < sum.size(); ++i) {
    out[i] = static_cast<int16_t>(std::clamp<int32_t>(sum[i], std::numeric_limits<int16_t>::min(),
                                                      std::numeric_limits<int16_t>::max()));
  }
}

}  // namespace platform
