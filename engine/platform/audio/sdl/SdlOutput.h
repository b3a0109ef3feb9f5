#pragma once
// The SDL backend's output: the machine's sound device opened through SDL
// at kOutputRate, stereo, 16 bits. SDL's audio thread asks for the next
// frames in a callback, which mixes them under the output's lock; the play
// cursors move as it consumes the buffers.
//
// SDL's own environment variables pick the driver, so the disk driver
// (SDL_AUDIODRIVER=disk, SDL_DISKAUDIOFILE=path) records the output to a
// raw file instead of playing it.

#include <SDL.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/audio/AudioOutput.h"

namespace platform {

class SdlOutput final : public AudioOutput {
  struct Key {};

 public:
  // A running output, or null with a reason in `error` when SDL has no
  // sound device to open.
  static std::shared_ptr<SdlOutput> Open(std::string* error);

  explicit SdlOutput(Key) {}
  // Closes the device; SDL's audio thread has stopped calling back when it
  // returns.
  ~SdlOutput() override;

  // Frames the callback has mixed so far.
  uint64_t MixedFrames();
  // Blocks until at least `frames` frames have been mixed (true) or
  // `realTimeLimit` has passed (false). The device runs in real time, so
  // this is how a test of it knows the output got that far.
  bool WaitForMixedFrames(uint64_t frames, std::chrono::milliseconds realTimeLimit);

 private:
  static void Callback(void* userdata, Uint8* stream, int length);

  SDL_AudioDeviceID device = 0;
  bool subsystemStarted = false;
  std::condition_variable mixed;
  uint64_t mixedFrames = 0;  // guarded by the output's lock
  std::vector<int16_t> scratch;
};

}  // namespace platform
