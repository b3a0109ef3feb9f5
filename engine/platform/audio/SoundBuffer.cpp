#include "engine/platform/audio/SoundBuffer.h"

#include <algorithm>
#include <cstring>

namespace platform {

SoundBuffer::SoundBuffer(Key, std::shared_ptr<AudioBackend> backend,
                         std::shared_ptr<AudioOutput> output, bool primary,
                         const WaveFormat& format, uint32_t bytes)
    : backend(std::move(backend)),
      output(std::move(output)),
      primary(primary),
      format(primary ? WaveFormat::Pcm16(kOutputChannels, kOutputRate) : format),
      size(primary ? 0 : bytes),
      stamp(this->backend->LossEpoch()) {
  if (primary) return;
  voice = std::make_unique<MixerVoice>(format, bytes);
  const auto lock = this->output->Enter();
  this->output->GetMixer().Add(voice.get());
}

SoundBuffer::~SoundBuffer() {
  if (!voice) return;
  const auto lock = output->Enter();
  output->GetMixer().Remove(voice.get());
}

SoundResult SoundBuffer::SetFormat(const WaveFormat& newFormat) {
  if (!primary || !newFormat.IsPlayable()) return SoundResult::InvalidCall;
  const SoundResult accepted = backend->AcceptPrimaryFormat(newFormat);
  if (!Succeeded(accepted)) return accepted;
  format = newFormat;
  return SoundResult::Ok;
}

SoundResult SoundBuffer::Lock(uint32_t offset, uint32_t bytes, LockedArea* area) {
  if (primary || locked || offset >= size || bytes == 0 || bytes > size) {
    return SoundResult::InvalidCall;
  }
  if (IsLost()) return SoundResult::BufferLost;
  const uint32_t firstBytes = std::min(bytes, size - offset);
  const uint32_t secondBytes = bytes - firstBytes;
  staging.resize(bytes);
  {
    const auto lock = output->Enter();
    const uint8_t* data = voice->Data().data();
    std::memcpy(staging.data(), data + offset, firstBytes);
    std::memcpy(staging.data() + firstBytes, data, secondBytes);
  }
  locked = true;
  lockedOffset = offset;
  *area = LockedArea{staging.data(), firstBytes,
                     secondBytes ? staging.data() + firstBytes : nullptr, secondBytes};
  return SoundResult::Ok;
}

SoundResult SoundBuffer::Unlock(const LockedArea& area) {
  if (!locked || area.first != staging.data() ||
      size_t{area.firstBytes} + area.secondBytes != staging.size()) {
    return SoundResult::InvalidCall;
  }
  {
    const auto lock = output->Enter();
    uint8_t* data = voice->Data().data();
    std::memcpy(data + lockedOffset, staging.data(), area.firstBytes);
    std::memcpy(data, staging.data() + area.firstBytes, area.secondBytes);
  }
  locked = false;
  return SoundResult::Ok;
}

SoundResult SoundBuffer::Play(uint32_t flags) {
  const bool loop = (flags & kPlayLooping) != 0;
  if (primary) {
    if (!loop) return SoundResult::InvalidCall;
    primaryPlaying = true;
    return SoundResult::Ok;
  }
  if (IsLost()) return SoundResult::BufferLost;
  const auto lock = output->Enter();
  voice->Play(loop);
  return SoundResult::Ok;
}

SoundResult SoundBuffer::Stop() {
  if (primary) {
    primaryPlaying = false;
    return SoundResult::Ok;
  }
  const auto lock = output->Enter();
  voice->Stop();
  return SoundResult::Ok;
}

SoundResult SoundBuffer::GetCurrentPosition(uint32_t* playCursor) {
  if (primary) return SoundResult::InvalidCall;
  const auto lock = output->Enter();
  *playCursor = voice->PlayCursor();
  return SoundResult::Ok;
}

SoundResult SoundBuffer::SetCurrentPosition(uint32_t offset) {
  if (primary || offset >= size) return SoundResult::InvalidCall;
  const auto lock = output->Enter();
  voice->SetPlayCursor(offset);
  return SoundResult::Ok;
}

SoundResult SoundBuffer::GetStatus(uint32_t* status) {
  uint32_t bits = IsLost() ? kStatusBufferLost : 0;
  if (primary) {
    if (primaryPlaying) bits |= kStatusPlaying | kStatusLooping;
  } else {
    const auto lock = output->Enter();
    if (voice->IsPlaying()) bits |= kStatusPlaying | (voice->IsLooping() ? kStatusLooping : 0);
  }
  *status = bits;
  return SoundResult::Ok;
}

SoundResult SoundBuffer::Restore() {
  stamp = backend->LossEpoch();
  return SoundResult::Ok;
}

}  // namespace platform
