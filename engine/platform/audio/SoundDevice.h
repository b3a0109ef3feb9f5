#pragma once
// The sound device: made once at start-up on the current backend, it
// holds the open output and makes the primary buffer and the secondary
// buffers that play through it.
//
// Start-up as the engine does it:
//   SoundDevice::Create(&device);
//   device->SetCooperativeLevel(CooperativeLevel::Exclusive);  // else Normal
//   device->CreateSoundBuffer({kBufferPrimary | kBufferCtrlVolume, 0, {}}, &primary);
//   primary->SetFormat(WaveFormat::Pcm16(2, 44100));
//   primary->Play(kPlayLooping);
// then one secondary buffer per stream, written in halves while it plays
// looping.
//
// Used from the window's thread; the buffers it makes may be used from
// other threads (see SoundBuffer).

#include <cstdint>
#include <memory>

#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/AudioOutput.h"
#include "engine/platform/audio/AudioTypes.h"
#include "engine/platform/audio/SoundBuffer.h"

namespace platform {

class SoundDevice {
  struct Key {};

 public:
  // Ok and a device on the current backend (or on `backend`), its output
  // running. NoDriver when the backend has no sound device; `device` is
  // untouched then.
  static SoundResult Create(std::unique_ptr<SoundDevice>* device);
  static SoundResult Create(std::shared_ptr<AudioBackend> backend,
                            std::unique_ptr<SoundDevice>* device);

  SoundDevice(Key, std::shared_ptr<AudioBackend> backend, std::shared_ptr<AudioOutput> output);
  SoundDevice(const SoundDevice&) = delete;
  SoundDevice& operator=(const SoundDevice&) = delete;

  // Ok, or Refused when the backend does not grant the level now; the
  // level set before stays then.
  SoundResult SetCooperativeLevel(CooperativeLevel level);
  // The level granted last; Normal until one is set.
  CooperativeLevel Level() const { return level; }

  // Ok and a new buffer. The primary buffer: flags with kBufferPrimary,
  // size 0 and no format; each one made stands for the same output. A
  // secondary buffer: a playable format and a size of 4 bytes
  // to kMaxBufferBytes in whole frames, silent and stopped at offset 0.
  // InvalidCall for any other description.
  SoundResult CreateSoundBuffer(const BufferDescription& description,
                                std::unique_ptr<SoundBuffer>* buffer);

 private:
  std::shared_ptr<AudioBackend> backend;
  std::shared_ptr<AudioOutput> output;
  CooperativeLevel level = CooperativeLevel::Normal;
};

}  // namespace platform
