#include "engine/platform/audio/sdl/SdlOutput.h"

#include <cstring>

namespace platform {

namespace {
// About 23 ms at 44 100 Hz: short enough for prompt sound, long enough
// that a busy machine does not starve the device.
constexpr Uint16 kDeviceFrames = 1024;
}  // namespace

std::shared_ptr<SdlOutput> SdlOutput::Open(std::string* error) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  auto output = std::make_shared<SdlOutput>(Key{});
  output->subsystemStarted = true;
  SDL_AudioSpec wanted{};
  wanted.freq = static_cast<int>(kOutputRate);
  wanted.format = AUDIO_S16SYS;
  wanted.channels = kOutputChannels;
  wanted.samples = kDeviceFrames;
  wanted.callback = &SdlOutput::Callback;
  wanted.userdata = output.get();
  SDL_AudioSpec obtained{};
  // No changes allowed: SDL converts to whatever the hardware takes, so
  // the callback always mixes the one output format.
  output->device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  if (output->device == 0) {
    if (error) *error = SDL_GetError();
    return nullptr;
  }
  SDL_PauseAudioDevice(output->device, 0);
  return output;
}

SdlOutput::~SdlOutput() {
  if (device != 0) SDL_CloseAudioDevice(device);
  if (subsystemStarted) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

uint64_t SdlOutput::MixedFrames() {
  const std::lock_guard guard(mutex);
  return mixedFrames;
}

bool SdlOutput::WaitForMixedFrames(uint64_t frames, std::chrono::milliseconds realTimeLimit) {
  std::unique_lock lock(mutex);
  return mixed.wait_for(lock, realTimeLimit, [&] { return mixedFrames >= frames; });
}

void SdlOutput::Callback(void* userdata, Uint8* stream, int length) {
  auto* self = static_cast<SdlOutput*>(userdata);
  const auto frames = static_cast<uint32_t>(length) / (kOutputChannels * sizeof(int16_t));
  {
    const std::lock_guard guard(self->mutex);
    self->scratch.resize(size_t{frames} * kOutputChannels);
    self->mixer.Mix(self->scratch.data(), frames);
    self->mixedFrames += frames;
  }
  const size_t copied = size_t{frames} * kOutputChannels * sizeof(int16_t);
  std::memcpy(stream, self->scratch.data(), copied);
  std::memset(stream + copied, 0, static_cast<size_t>(length) - copied);
  self->mixed.notify_all();
}

}  // namespace platform
