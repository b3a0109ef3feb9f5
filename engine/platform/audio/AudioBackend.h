#pragma once
// Where a sound device's output goes and what the outside world decides
// for it: whether there is a device at all, which cooperative levels and
// output formats it grants, and when buffers lose their memory. The mixer
// is the same for every backend.
//
// Two backends exist. The SDL one (sdl/) plays through the machine's sound
// output. The headless one (headless/) mixes as the clock moves, keeps what
// it mixed for tests, and lets them take the device away, refuse the
// exclusive level or the primary format, and make buffers lost.

#include <cstdint>
#include <memory>

#include "engine/platform/audio/AudioOutput.h"
#include "engine/platform/audio/AudioTypes.h"

namespace platform {

class AudioBackend {
 public:
  AudioBackend() = default;
  AudioBackend(const AudioBackend&) = delete;
  AudioBackend& operator=(const AudioBackend&) = delete;
  virtual ~AudioBackend() = default;

  // Opens an output at kOutputRate, stereo, 16 bits, running (silent until
  // a voice plays) until the last reference to it goes. NoDriver when there
  // is no sound device; `output` is untouched then.
  virtual SoundResult Open(std::shared_ptr<AudioOutput>* output) = 0;

  // Asked when a device sets its cooperative level: Ok or Refused.
  virtual SoundResult GrantLevel(CooperativeLevel level) = 0;
  // Asked when the primary buffer takes a (playable) format: Ok or Refused.
  virtual SoundResult AcceptPrimaryFormat(const WaveFormat& format) = 0;

  // Buffer loss. Each buffer is stamped with LossEpoch() when it is made or
  // restored; it is lost while its stamp is older than the epoch. Safe from
  // any thread.
  virtual uint64_t LossEpoch() const = 0;
};

// The backend SoundDevice::Create uses: the one installed last, or else
// the SDL backend.
std::shared_ptr<AudioBackend> CurrentAudioBackend();
// Installs `backend`; null goes back to the SDL backend. Devices made on
// the previous backend keep it alive for as long as they live.
void InstallAudioBackend(std::shared_ptr<AudioBackend> backend);

}  // namespace platform
