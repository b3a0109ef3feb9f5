#pragma once
// 16-bit PCM WAV files: what the headless output writes its capture to.

#include <cstdint>
#include <span>
#include <string>

namespace platform {

// Writes interleaved 16-bit `samples` of `channels` channels at `rate` as
// a canonical 44-byte-header WAV file. false with a reason in `error` when
// the file cannot be written.
bool WriteWavFile(const std::string& path, std::span<const int16_t> samples, uint16_t channels,
                  uint32_t rate, std::string* error = nullptr);

}  // namespace platform
