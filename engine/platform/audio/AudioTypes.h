#pragma once
// The values the sound-device service speaks: result codes, the PCM format
// record, buffer descriptions, cooperative levels and the flags of play and
// status.
//
// Every sample is 16-bit signed little-endian PCM. The output always runs
// at 44 100 Hz stereo; each buffer plays at its own rate and the mixer
// resamples it.

#include <cstdint>
#include <optional>

namespace platform {

// What every fallible sound-device operation returns. Expected failures
// are values; only programmer errors that cannot be reported this way
// assert.
enum class SoundResult : uint32_t {
  Ok = 0,
  // The call is not valid in this state or with these arguments (a format
  // that is not 16-bit PCM, a lock outside the buffer, a second lock, an
  // operation the primary buffer does not have).
  InvalidCall,
  // There is no sound device to play through.
  NoDriver,
  // The buffer's memory was taken away: Restore it, then write it again.
  BufferLost,
  // The device refused the request (a cooperative level or an output
  // format it does not grant now).
  Refused,
};

constexpr bool Succeeded(SoundResult r) { return r == SoundResult::Ok; }

// The rate and layout of the mixed output.
inline constexpr uint32_t kOutputRate = 44100;
inline constexpr uint16_t kOutputChannels = 2;

inline constexpr uint16_t kWaveFormatPcm = 1;

// A PCM format. Only 16-bit PCM with one or two channels is played; the
// derived fields must agree with the others (see IsPlayable).
struct WaveFormat {
  uint16_t formatTag = kWaveFormatPcm;
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;  // bytes per sample frame
  uint16_t bitsPerSample = 0;

  // 16-bit PCM with every derived field filled in.
  static constexpr WaveFormat Pcm16(uint16_t channels, uint32_t rate) {
    return WaveFormat{kWaveFormatPcm,
                      channels,
                      rate,
                      rate * channels * 2u,
                      static_cast<uint16_t>(channels * 2u),
                      16};
  }
  // 16-bit PCM, one or two channels, a rate from 100 Hz to 200 kHz, and
  // block align and bytes per second that match.
  constexpr bool IsPlayable() const {
    return formatTag == kWaveFormatPcm && bitsPerSample == 16 && (channels == 1 || channels == 2) &&
           samplesPerSec >= 100 && samplesPerSec <= 200000 && blockAlign == channels * 2u &&
           avgBytesPerSec == samplesPerSec * blockAlign;
  }

  friend bool operator==(const WaveFormat&, const WaveFormat&) = default;
};

// Buffer description flags.
inline constexpr uint32_t kBufferPrimary = 0x01;
inline constexpr uint32_t kBufferCtrlPan = 0x40;
inline constexpr uint32_t kBufferCtrlVolume = 0x80;

// The largest secondary buffer, in bytes.
inline constexpr uint32_t kMaxBufferBytes = 0x0FFFFFFF;

struct BufferDescription {
  uint32_t flags = 0;
  // Secondary buffers: 4 bytes to kMaxBufferBytes, a whole number of
  // frames. The primary buffer: 0.
  uint32_t bufferBytes = 0;
  // Secondary buffers: their format. The primary buffer: none (it takes
  // one later with SetFormat).
  std::optional<WaveFormat> format;
};

// How the program shares the device. Normal is always granted; exclusive
// may be refused.
enum class CooperativeLevel : uint32_t {
  Normal = 1,
  Priority = 2,
  Exclusive = 3,
};

// Play flag: at the end of the buffer go on from its start.
inline constexpr uint32_t kPlayLooping = 0x01;

// Status bits.
inline constexpr uint32_t kStatusPlaying = 0x01;
inline constexpr uint32_t kStatusBufferLost = 0x02;
inline constexpr uint32_t kStatusLooping = 0x04;

}  // namespace platform
