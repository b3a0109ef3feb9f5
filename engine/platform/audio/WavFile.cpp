#include "engine/platform/audio/WavFile.h"

#include <bit>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace platform {

static_assert(std::endian::native == std::endian::little,
              "the header fields and the samples are written in memory order");

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void PutTag(std::vector<uint8_t>& out, const char* tag) { out.insert(out.end(), tag, tag + 4); }

}  // namespace

bool WriteWavFile(const std::string& path, std::span<const int16_t> samples, uint16_t channels,
                  uint32_t rate, std::string* error) {
  const auto dataBytes = static_cast<uint32_t>(samples.size_bytes());
  std::vector<uint8_t> header;
  PutTag(header, "RIFF");
  Put32(header, 36 + dataBytes);
  PutTag(header, "WAVE");
  PutTag(header, "fmt ");
  Put32(header, 16);
  Put16(header, 1);  // PCM
  Put16(header, channels);
  Put32(header, rate);
  Put32(header, rate * channels * 2u);
  Put16(header, static_cast<uint16_t>(channels * 2u));
  Put16(header, 16);
  PutTag(header, "data");
  Put32(header, dataBytes);

  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wb"),
                                                             &std::fclose);
  const bool written = file &&
                       std::fwrite(header.data(), 1, header.size(), file.get()) == header.size() &&
                       std::fwrite(samples.data(), 1, dataBytes, file.get()) == dataBytes;
  if (!written && error) *error = path + ": " + std::strerror(errno);
  return written;
}

}  // namespace platform
