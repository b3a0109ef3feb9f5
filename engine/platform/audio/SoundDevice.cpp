#include "engine/platform/audio/SoundDevice.h"

namespace platform {

SoundResult SoundDevice::Create(std::unique_ptr<SoundDevice>* device) {
  return Create(CurrentAudioBackend(), device);
}

SoundResult SoundDevice::Create(std::shared_ptr<AudioBackend> backend,
                                std::unique_ptr<SoundDevice>* device) {
  std::shared_ptr<AudioOutput> output;
  const SoundResult opened = backend->Open(&output);
  if (!Succeeded(opened)) return opened;
  *device = std::make_unique<SoundDevice>(Key{}, std::move(backend), std::move(output));
  return SoundResult::Ok;
}

SoundDevice::SoundDevice(Key, std::shared_ptr<AudioBackend> backend,
                         std::shared_ptr<AudioOutput> output)
    : backend(std::move(backend)), output(std::move(output)) {}

SoundResult SoundDevice::SetCooperativeLevel(CooperativeLevel newLevel) {
  const SoundResult granted = backend->GrantLevel(newLevel);
  if (Succeeded(granted)) level = newLevel;
  return granted;
}

SoundResult SoundDevice::CreateSoundBuffer(const BufferDescription& description,
                                           std::unique_ptr<SoundBuffer>* buffer) {
  if ((description.flags & kBufferPrimary) != 0) {
    if (description.bufferBytes != 0 || description.format) return SoundResult::InvalidCall;
    *buffer =
        std::make_unique<SoundBuffer>(SoundBuffer::Key{}, backend, output, true, WaveFormat{}, 0);
    return SoundResult::Ok;
  }
  if (!description.format || !description.format->IsPlayable()) return SoundResult::InvalidCall;
  const WaveFormat& format = *description.format;
  const uint32_t bytes = description.bufferBytes;
  if (bytes < 4 || bytes > kMaxBufferBytes || bytes % format.blockAlign != 0) {
    return SoundResult::InvalidCall;
  }
  *buffer =
      std::make_unique<SoundBuffer>(SoundBuffer::Key{}, backend, output, false, format, bytes);
  return SoundResult::Ok;
}

}  // namespace platform
