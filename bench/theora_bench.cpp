// What one cartoon frame costs the window's thread: decoding a 320 x 240
// picture and converting it into texture rows (BM_TheoraFrame), and the
// conversion alone, packed against plain, to show what the packed path
// buys. At 12 frames a second a frame may take 83 ms; the reward's frame
// should take a small fraction of one 60 Hz screen frame (16.7 ms).
//
// Release build on the two-core development machine (median of 5):
//   BM_TheoraFrame    about 0.52 ms a frame (decode and convert)
//   BM_ConvertPacked  about 0.04 ms a frame
//   BM_ConvertPlain   about 0.41 ms a frame, ten times the packed path

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "engine/platform/resources/EmbeddedData.h"
#include "engine/render/TheoraDecoder.h"
#include "engine/render/Yuv420Converter.h"

namespace {

// The texture a 320 x 240 picture lands in: 512 texels a row.
constexpr int32_t kPitch = 512 * 4;

std::span<const uint8_t> Cartoon() {
  const auto data = platform::FindNamedData(u"ura_video");
  return data ? *data : std::span<const uint8_t>{};
}

void BM_TheoraFrame(benchmark::State& state) {
  const auto stream = Cartoon();
  if (stream.empty()) {
    state.SkipWithError("the program carries no ura_video");
    return;
  }
  IMTheoraDecoder decoder;
  decoder.Open(stream.data(), static_cast<int32_t>(stream.size()));
  std::vector<uint8_t> texture(static_cast<size_t>(kPitch) * 256);
  for (auto _ : state) {
    // Round and round the cartoon; the rewind is counted too, as it is a
    // part of playing again.
    if (!decoder.DecodeNextPicture()) {
      decoder.Rewind();
      decoder.DecodeNextPicture();
    }
    ConvertYuvToX8R8G8B8(decoder.Picture(), texture.data(), kPitch);
    benchmark::DoNotOptimize(texture.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TheoraFrame)->Unit(benchmark::kMicrosecond);

template <void (*Convert)(const IMYuvPicture&, uint8_t*, int32_t)>
void BM_Convert(benchmark::State& state) {
  const auto stream = Cartoon();
  if (stream.empty()) {
    state.SkipWithError("the program carries no ura_video");
    return;
  }
  IMTheoraDecoder decoder;
  decoder.Open(stream.data(), static_cast<int32_t>(stream.size()));
  decoder.DecodeNextPicture();
  const IMYuvPicture picture = decoder.Picture();
  std::vector<uint8_t> texture(static_cast<size_t>(kPitch) * 256);
  for (auto _ : state) {
    Convert(picture, texture.data(), kPitch);
    benchmark::DoNotOptimize(texture.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * picture.width * picture.height * 4);
}
BENCHMARK(BM_Convert<ConvertYuvToX8R8G8B8>)
    ->Name("BM_ConvertPacked")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Convert<ConvertYuvReference>)->Name("BM_ConvertPlain")->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
