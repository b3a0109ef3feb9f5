#pragma once
// One opened Ogg Vorbis stream: where its bytes come from (program memory,
// a numbered resource, a file), its format and play length, and the
// decoder that turns it into 16-bit samples a piece at a time. Nothing is
// decoded whole: a stream asks for half a second at a time while it plays.
//
// Play length. A resource sound stops 20 ms' worth of bytes
// (rate x channels x 2 x 0.02 frames) before the end of its data, which
// for the program's 44 000 Hz stereo sounds is 3 520 frames (80 ms);
// memory and file sounds play to the end.
//
// Not thread-safe: its stream's lock serialises every use of the decoder.
// Not copyable: the decoder refers to the reader inside the object.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "engine/platform/resources/ResourceModule.h"

struct OggVorbis_File;

class SoundSource {
  struct Key {};

 public:
  // Each returns null when the bytes cannot be found or are not an Ogg
  // Vorbis stream of one or two channels.
  // Over bytes in program memory that stay valid for the whole run.
  static std::unique_ptr<SoundSource> OpenMemory(std::span<const uint8_t> bytes);
  // The program's numbered resource `id`, else the one in "Animations.dll"
  // (kept loaded for as long as the source lives).
  static std::unique_ptr<SoundSource> OpenResource(uint16_t id);
  // The file at `path`, relative to the current folder unless absolute.
  static std::unique_ptr<SoundSource> OpenFile(const std::u16string& path);

  explicit SoundSource(Key);
  SoundSource(const SoundSource&) = delete;
  SoundSource& operator=(const SoundSource&) = delete;
  ~SoundSource();

  int32_t Channels() const { return channels; }
  int32_t Rate() const { return rate; }
  int32_t BytesPerFrame() const { return bytesPerFrame; }
  uint32_t TotalFrames() const { return totalFrames; }

  // Goes back to the first frame: true, or false when the decoder cannot
  // seek (the position is then unknown and Decode may give nothing more).
  bool Rewind();
  // Writes up to `length` bytes of 16-bit little-endian samples into
  // `destination`, never past the play length, and returns how many it
  // wrote. Fewer than `length`: the play length is reached, or a read
  // error ended this call early (the next call tries again from where it
  // stopped); 0 at the end of the play length.
  size_t Decode(uint8_t* destination, size_t length);

 private:
  // Over `bytes`: program memory, or a loaded module's item.
  static std::unique_ptr<SoundSource> OverBytes(std::span<const uint8_t> bytes,
                                                std::optional<platform::ResourceModule> module);
  // Opens the decoder over the reader already set up (the file, or else
  // the memory reader) and reads the format. false when it is not an Ogg
  // Vorbis stream of one or two channels.
  bool OpenDecoder();

  // The memory reader's callbacks, with `source` the reader (see the .cpp).
  static size_t ReadMemory(void* buffer, size_t size, size_t count, void* source);
  static int SeekMemory(void* source, int64_t offset, int origin);
  static int CloseMemory(void* source);
  static long TellMemory(void* source);

  // The reader of memory and resource sources.
  struct MemoryReader {
    const uint8_t* data = nullptr;
    uint32_t position = 0;
    uint32_t size = 0;
  };

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file{nullptr, &std::fclose};
  std::optional<platform::ResourceModule> module;
  MemoryReader memory;
  int32_t channels = 0;
  int32_t rate = 0;
  int32_t bytesPerFrame = 0;
  uint32_t totalFrames = 0;
  std::unique_ptr<OggVorbis_File> decoder;
  bool decoderOpen = false;
};
