#include "engine/platform/audio/MixerVoice.h"

#include <bit>
#include <cassert>
#include <cstring>

namespace platform {

static_assert(std::endian::native == std::endian::little,
              "the buffers hold little-endian samples and are read in place");

namespace {
constexpr int kFractionBits = 32;
constexpr uint64_t kFractionMask = (uint64_t{1} << kFractionBits) - 1;
}  // namespace

MixerVoice::MixerVoice(const WaveFormat& format, uint32_t bytes)
    : format(format), frames(bytes / format.blockAlign), data(bytes, 0) {
  assert(format.IsPlayable());
  assert(bytes % format.blockAlign == 0 && bytes > 0);
}

void MixerVoice::Play(bool loop) {
  playing = true;
  looping = loop;
}

uint32_t MixerVoice::PlayCursor() const {
  return static_cast<uint32_t>(position >> kFractionBits) * format.blockAlign;
}

void MixerVoice::SetPlayCursor(uint32_t byteOffset) {
  assert(byteOffset < data.size());
  position = uint64_t{byteOffset / format.blockAlign} << kFractionBits;
}

int32_t MixerVoice::Sample(uint32_t frame, uint32_t channel) const {
  if (frame >= frames) {
    if (!looping) return 0;
    frame -= frames;
  }
  int16_t sample;
  std::memcpy(&sample, data.data() + size_t{frame} * format.blockAlign + channel * 2u,
              sizeof sample);
  return sample;
}

void MixerVoice::MixInto(int32_t* sum, uint32_t outputFrames, uint32_t outputRate) {
  if (!playing) return;
  // Truncating the step drifts by less than one frame in 2^32 / rate
  // output frames: far below anything audible.
  const uint64_t step = (uint64_t{format.samplesPerSec} << kFractionBits) / outputRate;
  const uint64_t end = uint64_t{frames} << kFractionBits;
  const bool stereo = format.channels == 2;
  for (uint32_t i = 0; i < outputFrames; ++i) {
    const auto frame = static_cast<uint32_t>(position >> kFractionBits);
    // 16 bits of fraction keep the product inside 32 bits of headroom.
    const auto weight = static_cast<int32_t>((position & kFractionMask) >> 16);
    for (uint32_t channel = 0; channel < 2; ++channel) {
      const uint32_t source = stereo ? channel : 0;
      const int32_t a = Sample(frame, source);
      const int32_t b = Sample(frame + 1, source);
      sum[2 * i + channel] += a + static_cast<int32_t>((int64_t{b - a} * weight) >> 16);
    }
    position += step;
    if (position >= end) {
      if (!looping) {
        playing = false;
        position = 0;
        return;
      }
      position -= end;
    }
  }
}

}  // namespace platform
