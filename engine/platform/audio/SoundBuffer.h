#pragma once
// A sound buffer made by SoundDevice: the primary buffer, which stands for
// the output itself, or a secondary buffer of PCM that the mixer plays.
//
// Writing. Lock hands out the bytes at an offset (in two parts when they
// run past the end of the buffer and on from its start); the caller writes
// them and gives them back with Unlock, and only then do they reach what
// the mixer plays. The parts are a private copy, so a writer never touches
// memory the mixer is reading, and a buffer is locked at most once at a
// time.
//
// Loss. When the backend takes the buffers' memory away, Lock and Play
// report BufferLost until Restore; a playing buffer goes on playing what it
// held.
//
// One thread at a time per buffer (its owner serialises its users);
// different buffers may be used from different threads at once.

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/AudioOutput.h"
#include "engine/platform/audio/AudioTypes.h"
#include "engine/platform/audio/MixerVoice.h"

namespace platform {

// The bytes Lock hands out: `first` at the offset, then `second` at the
// start of the buffer when the area wraps (null and 0 otherwise).
struct LockedArea {
  uint8_t* first = nullptr;
  uint32_t firstBytes = 0;
  uint8_t* second = nullptr;
  uint32_t secondBytes = 0;
};

class SoundBuffer {
  struct Key {};  // only SoundDevice makes buffers
  friend class SoundDevice;

 public:
  // `format` and `bytes` are those of a secondary buffer and are ignored
  // for the primary one.
  SoundBuffer(Key, std::shared_ptr<AudioBackend> backend, std::shared_ptr<AudioOutput> output,
              bool primary, const WaveFormat& format, uint32_t bytes);
  SoundBuffer(const SoundBuffer&) = delete;
  SoundBuffer& operator=(const SoundBuffer&) = delete;
  // Leaves the mixer: a playing buffer falls silent.
  ~SoundBuffer();

  bool IsPrimary() const { return primary; }
  // Secondary buffers: their size in bytes. The primary buffer: 0.
  uint32_t Size() const { return size; }
  // Secondary buffers: their format. The primary buffer: the format set
  // last, or the output's until one is set.
  const WaveFormat& Format() const { return format; }

  // The primary buffer only: records the format the program asks the
  // output for (the output itself runs at kOutputRate stereo whatever it
  // says). InvalidCall for a secondary buffer or a format that is not
  // playable; Refused when the backend does not take it.
  SoundResult SetFormat(const WaveFormat& newFormat);

  // Secondary buffers only. `bytes` (1 to Size()) from `offset` (below
  // Size()): Ok and the area, holding what the buffer holds there.
  // BufferLost while lost; InvalidCall for the primary buffer, an area
  // outside the buffer, or a buffer already locked.
  SoundResult Lock(uint32_t offset, uint32_t bytes, LockedArea* area);
  // Writes the area back and ends the lock. InvalidCall when the buffer is
  // not locked or `area` is not the one Lock gave.
  SoundResult Unlock(const LockedArea& area);

  // Starts playing from the play cursor; kPlayLooping goes on from the
  // start at the end, otherwise the buffer stops there. Playing a playing
  // buffer only changes the flag. The primary buffer must be played
  // looping (InvalidCall otherwise). BufferLost while lost.
  SoundResult Play(uint32_t flags);
  // Stops where it is; the cursor stays. Stopping a stopped buffer is Ok.
  SoundResult Stop();
  // Secondary buffers: the byte offset of the frame being played, which
  // moves on as the output consumes the buffer. InvalidCall for the
  // primary buffer.
  SoundResult GetCurrentPosition(uint32_t* playCursor);
  // Secondary buffers: moves the play cursor to the frame holding
  // `offset`. InvalidCall for the primary buffer or an offset past the end.
  SoundResult SetCurrentPosition(uint32_t offset);
  // kStatusPlaying, kStatusLooping and kStatusBufferLost bits.
  SoundResult GetStatus(uint32_t* status);
  // Gives a lost buffer its memory back (with what it held); a buffer that
  // is not lost is left alone. Always Ok.
  SoundResult Restore();

 private:
  bool IsLost() const { return stamp < backend->LossEpoch(); }

  std::shared_ptr<AudioBackend> backend;
  std::shared_ptr<AudioOutput> output;
  const bool primary;
  WaveFormat format;
  const uint32_t size;
  std::unique_ptr<MixerVoice> voice;  // secondary buffers; guarded by the output's lock
  bool primaryPlaying = false;
  uint64_t stamp;

  // The lock in progress: the private copy the caller writes, and where it
  // goes back to.
  std::vector<uint8_t> staging;
  bool locked = false;
  uint32_t lockedOffset = 0;
};

}  // namespace platform
