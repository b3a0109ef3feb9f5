#pragma once
// One open output stream of a backend: the mixer that feeds it and the lock
// that guards the mixer and every voice on it. Buffers change their voices
// only through Enter, so each change takes effect at the present moment of
// the output: a clocked output (the headless one) first mixes everything
// that has become due, with the buffers as they were until now; a real
// output mixes in its own callback, under the same lock.
//
// Thread-safe through Enter. Not copyable: the backend's callback refers
// to it.

#include <cstdint>
#include <mutex>

#include "engine/platform/audio/Mixer.h"

namespace platform {

class AudioOutput {
 public:
  AudioOutput() = default;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;
  virtual ~AudioOutput() = default;

  // Takes the lock, once the output has played everything due up to now.
  std::unique_lock<std::mutex> Enter() {
    std::unique_lock lock(mutex);
    CatchUp();
    return lock;
  }
  // Only while holding Enter's lock.
  Mixer& GetMixer() { return mixer; }

 protected:
  // Called with the lock held. A clocked output mixes the frames that are
  // due by its clock; an output with a callback of its own has nothing to
  // do.
  virtual void CatchUp() {}

  std::mutex mutex;
  Mixer mixer;
};

}  // namespace platform
