#include "engine/sound/SoundSource.h"

// vorbisfile.h otherwise defines a set of static callback tables in every
// file that includes it.
#define OV_EXCLUDE_STATIC_CALLBACKS
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <limits>

#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/text/Cp1251.h"
#include "engine/platform/text/Utf.h"

namespace {

// A resource sound stops this much short of its data's end: 20 ms' worth
// of bytes, counted in frames.
constexpr double kResourceCutSeconds = 0.02;

size_t ReadFile(void* buffer, size_t size, size_t count, void* source) {
  return std::fread(buffer, size, count, static_cast<std::FILE*>(source));
}
int SeekFile(void* source, ogg_int64_t offset, int origin) {
  return fseeko(static_cast<std::FILE*>(source), static_cast<off_t>(offset), origin);
}
long TellFile(void* source) { return static_cast<long>(ftello(static_cast<std::FILE*>(source))); }

}  // namespace

SoundSource::SoundSource(Key) {}

SoundSource::~SoundSource() {
  if (decoderOpen) ov_clear(decoder.get());
}

std::unique_ptr<SoundSource> SoundSource::OpenMemory(std::span<const uint8_t> bytes) {
  return OverBytes(bytes, std::nullopt);
}

std::unique_ptr<SoundSource> SoundSource::OpenResource(uint16_t id) {
  std::unique_ptr<SoundSource> source;
  if (const auto bytes = platform::FindNumberedResource(id)) {
    source = OverBytes(*bytes, std::nullopt);
  } else if (auto animations = platform::ResourceModule::LoadAnimations()) {
    // The item's bytes live inside the module, which moves into the source
    // and stays loaded with it; moving keeps the bytes where they are.
    if (const auto bytes = animations->Find(id)) source = OverBytes(*bytes, std::move(animations));
  }
  if (!source) return nullptr;
  const auto cut = static_cast<uint32_t>(static_cast<double>(source->rate) * source->channels * 2 *
                                         kResourceCutSeconds);
  if (source->totalFrames > cut) source->totalFrames -= cut;
  return source;
}

std::unique_ptr<SoundSource> SoundSource::OpenFile(const std::u16string& path) {
  auto source = std::make_unique<SoundSource>(Key{});
  source->file.reset(std::fopen(platform::Utf16ToUtf8(platform::FilterCp1251(path)).c_str(), "rb"));
  if (!source->file || !source->OpenDecoder()) return nullptr;
  return source;
}

std::unique_ptr<SoundSource> SoundSource::OverBytes(
    std::span<const uint8_t> bytes, std::optional<platform::ResourceModule> module) {
  // The reader counts in 32 bits.
  if (bytes.size() > std::numeric_limits<uint32_t>::max()) return nullptr;
  auto source = std::make_unique<SoundSource>(Key{});
  source->module = std::move(module);
  source->memory = MemoryReader{bytes.data(), 0, static_cast<uint32_t>(bytes.size())};
  if (!source->OpenDecoder()) return nullptr;
  return source;
}

bool SoundSource::OpenDecoder() {
  decoder = std::make_unique<OggVorbis_File>();
  void* dataSource = nullptr;
  ov_callbacks callbacks{};
  if (file) {
    // The file is closed by its owner, not by the decoder.
    callbacks = ov_callbacks{&ReadFile, &SeekFile, nullptr, &TellFile};
    dataSource = file.get();
  } else {
    callbacks = ov_callbacks{&ReadMemory, &SeekMemory, &CloseMemory, &TellMemory};
    dataSource = &memory;
  }
  // A failed open clears the decoder itself.
  if (ov_open_callbacks(dataSource, decoder.get(), nullptr, 0, callbacks) != 0) return false;
  decoderOpen = true;
  const vorbis_info* info = ov_info(decoder.get(), -1);
  if (!info || info->channels < 1 || info->channels > 2 || info->rate <= 0 ||
      info->rate > INT32_MAX) {
    return false;
  }
  // The length of the whole stream; only a seekable stream knows it, and
  // every reader here can seek.
  const ogg_int64_t frames = ov_pcm_total(decoder.get(), -1);
  if (frames < 0) return false;
  channels = info->channels;
  rate = static_cast<int32_t>(info->rate);
  bytesPerFrame = channels == 1 ? 2 : 4;
  totalFrames =
      static_cast<uint32_t>(std::min<ogg_int64_t>(frames, std::numeric_limits<uint32_t>::max()));
  return true;
}

bool SoundSource::Rewind() { return ov_pcm_seek(decoder.get(), 0) == 0; }

size_t SoundSource::Decode(uint8_t* destination, size_t length) {
  const ogg_int64_t at = ov_pcm_tell(decoder.get());
  if (at < 0) return 0;
  const uint64_t framesLeft =
      static_cast<uint64_t>(at) >= totalFrames ? 0 : totalFrames - static_cast<uint64_t>(at);
  length = static_cast<size_t>(std::min<uint64_t>(length, framesLeft * bytesPerFrame));
  size_t written = 0;
  while (written < length) {
    const int ask = static_cast<int>(std::min<size_t>(length - written, INT_MAX));
    int section = 0;
    // Little-endian, 16-bit, signed.
    const long got = ov_read(decoder.get(), reinterpret_cast<char*>(destination + written), ask, 0,
                             2, 1, &section);
    if (got <= 0) break;  // the end of the data, or a read error
    written += static_cast<size_t>(got);
  }
  return written;
}

// The memory reader. Reading copies what is left up to the request and
// moves on; at or past the end it reads nothing. Seeking sets the position
// from the start, the current position or the end, in 32 bits (a position
// past the end just reads nothing), and refuses any other origin. Closing
// does nothing: the bytes belong to the program or to the module.

size_t SoundSource::ReadMemory(void* buffer, size_t size, size_t count, void* source) {
  auto* reader = static_cast<MemoryReader*>(source);
  if (size == 0 || reader->position >= reader->size) return 0;
  const size_t left = reader->size - reader->position;
  const size_t bytes = std::min(left / size, count) * size;
  std::memcpy(buffer, reader->data + reader->position, bytes);
  reader->position += static_cast<uint32_t>(bytes);
  return bytes / size;
}

int SoundSource::SeekMemory(void* source, int64_t offset, int origin) {
  auto* reader = static_cast<MemoryReader*>(source);
  const auto low = static_cast<uint32_t>(offset);
  switch (origin) {
    case SEEK_SET:
      reader->position = low;
      return 0;
    case SEEK_CUR:
      reader->position += low;
      return 0;
    case SEEK_END:
      reader->position = reader->size + low;
      return 0;
    default:
      return -1;
  }
}

int SoundSource::CloseMemory(void*) { return 1; }

long SoundSource::TellMemory(void* source) {
  return static_cast<long>(static_cast<MemoryReader*>(source)->position);
}
