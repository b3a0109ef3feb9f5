#include "engine/sound/CSoundSystem.h"

#include <algorithm>
#include <optional>
#include <span>

#include "engine/platform/resources/ResourceName.h"
#include "engine/platform/text/Utf.h"

CSoundSystem::CSoundSystem() = default;

CSoundSystem::~CSoundSystem() {
  // Streams first, in id order: each waits for its thread, which uses its
  // source and its buffer until it ends.
  for (auto& [id, stream] : streams) stream.reset();
  streams.clear();
  sources.clear();
  if (primaryBuffer) primaryBuffer->Stop();
  primaryBuffer.reset();
  directSound.reset();
}

platform::SoundResult CSoundSystem::InitSound() {
  struct Registration {
    const char16_t* name;
    uint32_t* number;
  };
  const Registration registrations[] = {
      {u"WM_IM_ONSOUNDPLAY", &messages.play},
      {u"WM_IM_ONLABEL", &messages.label},
      {u"WM_IM_ONSOUNDSTOP", &messages.stop},
      {u"WM_IM_ONSOUNDPOUSE", &messages.pouse},
  };
  for (const Registration& r : registrations) {
    *r.number = platform::RegisterWindowMessageW(r.name);
    if (*r.number == 0) break;
  }

  const platform::SoundResult created = platform::SoundDevice::Create(&directSound);
  if (!platform::Succeeded(created)) return created;

  if (platform::Succeeded(
          directSound->SetCooperativeLevel(platform::CooperativeLevel::Exclusive))) {
    const platform::BufferDescription primary{
        platform::kBufferPrimary | platform::kBufferCtrlVolume, 0, std::nullopt};
    if (platform::Succeeded(directSound->CreateSoundBuffer(primary, &primaryBuffer))) {
      if (platform::Succeeded(
              primaryBuffer->SetFormat(platform::WaveFormat::Pcm16(2, platform::kOutputRate)))) {
        if (platform::Succeeded(primaryBuffer->Play(platform::kPlayLooping))) {
          return platform::SoundResult::Ok;
        }
      } else {
        primaryBuffer.reset();
      }
    }
  }
  // Sharing the device is the fallback.
  const platform::SoundResult normal =
      directSound->SetCooperativeLevel(platform::CooperativeLevel::Normal);
  if (platform::Succeeded(normal)) {
    if (primaryBuffer) primaryBuffer->Play(platform::kPlayLooping);
    return platform::SoundResult::Ok;
  }
  primaryBuffer.reset();
  directSound.reset();
  return normal;
}

uint32_t CSoundSystem::LoadSound(const std::u16string& name) {
  if (!directSound) return 0;
  if (const uint32_t id = FindLoaded(name)) return id;
  if (const auto number = platform::ResourceNumber(name)) {
    return AddSource(name, SoundSource::OpenResource(*number));
  }
  return AddSource(name, SoundSource::OpenFile(name));
}

uint32_t CSoundSystem::LoadSound(const std::u16string& name, const void* data, size_t size) {
  if (!directSound) return 0;
  if (const uint32_t id = FindLoaded(name)) return id;
  if (!data) return 0;
  return AddSource(name, SoundSource::OpenMemory(
                             std::span<const uint8_t>(static_cast<const uint8_t*>(data), size)));
}

uint32_t CSoundSystem::FindLoaded(const std::u16string& name) {
  const auto entry = std::find_if(sources.begin(), sources.end(),
                                  [&](const SourceEntry& e) { return e.name == name; });
  if (entry == sources.end()) return 0;
  for (auto& [id, stream] : streams) {
    if (&stream->Source() == entry->source.get()) {
      // The caller connects its own slots next; those of earlier callers
      // would otherwise run for a sound they no longer wait for.
      stream->finishedSignal.disconnect_all_slots();
      return id;
    }
  }
  return AddStream(*entry->source);
}

uint32_t CSoundSystem::AddSource(const std::u16string& name, std::unique_ptr<SoundSource> source) {
  if (!source) return 0;
  SoundSource& kept = *source;
  sources.push_back(SourceEntry{std::move(source), name});
  return AddStream(kept);
}

uint32_t CSoundSystem::AddStream(SoundSource& source) {
  const uint32_t id = ++lastSoundId;
  streams.emplace(id, std::make_unique<CSoundStream>(source, id, *directSound, messages));
  return id;
}

CSoundStream* CSoundSystem::FindStream(uint32_t id) {
  const auto it = streams.find(id);
  return it == streams.end() ? nullptr : it->second.get();
}

bool CSoundSystem::Play(uint32_t id, bool loop) {
  CSoundStream* stream = FindStream(id);
  if (!stream) return false;
  stream->Play(loop);
  return true;
}

bool CSoundSystem::Stop(uint32_t id) {
  CSoundStream* stream = FindStream(id);
  if (!stream) return false;
  stream->Stop();
  return true;
}

bool CSoundSystem::IsPlaying(uint32_t id) {
  CSoundStream* stream = FindStream(id);
  return stream && stream->IsPlaying();
}

boost::signals2::connection CSoundSystem::ConnectFinished(uint32_t id,
                                                          const SoundSignal::slot_type& slot) {
  CSoundStream* stream = FindStream(id);
  if (!stream) return {};
  return stream->finishedSignal.connect(slot);
}

void CSoundSystem::HandleSoundMessage(const platform::MSG& msg) {
  // Before InitSound the numbers are 0, which is no message of ours.
  if (msg.message == 0) return;
  SoundSignal CSoundStream::*signal = nullptr;
  if (msg.message == messages.play) {
    signal = &CSoundStream::playSignal;
  } else if (msg.message == messages.pouse) {
    signal = &CSoundStream::finishedSignal;
  } else if (msg.message == messages.stop) {
    signal = &CSoundStream::stopSignal;
  } else {
    return;
  }
  CSoundStream* stream = FindStream(msg.wParam);
  if (!stream) return;
  SoundSignal& fired = stream->*signal;
  // With no slots there is nothing to combine, and last_value would throw.
  if (!fired.empty()) fired(msg.wParam);
}
