#pragma once
// One secondary buffer as the mixer plays it: its PCM bytes, whether and
// how it plays, and where it is. The voice is stepped at the output rate;
// its position counts its own frames in 32.32 fixed point, so a buffer of
// any rate advances by rate / output rate frames per output frame, and the
// sample between two frames is interpolated linearly.
//
// Not thread-safe: the output's lock guards every voice (see AudioOutput).

#include <cstdint>
#include <vector>

#include "engine/platform/audio/AudioTypes.h"

namespace platform {

class MixerVoice {
 public:
  // A silent, stopped voice of `bytes` bytes (a whole number of frames) in
  // a playable `format`.
  MixerVoice(const WaveFormat& format, uint32_t bytes);
  MixerVoice(const MixerVoice&) = delete;
  MixerVoice& operator=(const MixerVoice&) = delete;

  const WaveFormat& Format() const { return format; }
  uint32_t Frames() const { return frames; }
  std::vector<uint8_t>& Data() { return data; }

  void Play(bool loop);
  void Stop() { playing = false; }
  bool IsPlaying() const { return playing; }
  bool IsLooping() const { return looping; }

  // The byte offset of the frame being played.
  uint32_t PlayCursor() const;
  // Moves to the frame holding `byteOffset` (which must lie in the buffer).
  void SetPlayCursor(uint32_t byteOffset);

  // Adds `outputFrames` stereo frames at `outputRate` into `sum` (two
  // entries per frame), moving the voice on by as much. A voice that is
  // not looping stops at its end: it adds nothing after it and its cursor
  // goes back to 0. Nothing happens while the voice is stopped.
  void MixInto(int32_t* sum, uint32_t outputFrames, uint32_t outputRate);

 private:
  // Sample `channel` of frame `frame`; past the end, the first frame when
  // looping (the sound goes on from there) and silence otherwise.
  int32_t Sample(uint32_t frame, uint32_t channel) const;

  WaveFormat format;
  uint32_t frames;
  std::vector<uint8_t> data;
  bool playing = false;
  bool looping = false;
  uint64_t position = 0;  // frames, 32.32 fixed point
};

}  // namespace platform
