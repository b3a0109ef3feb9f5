#include "engine/platform/audio/headless/ClockedOutput.h"

#include <algorithm>

#include "engine/platform/clock/CurrentClock.h"

namespace platform {

namespace {
// Frames mixed in one go: bounds the scratch memory of a long catch-up.
constexpr uint64_t kChunkFrames = 4096;
}  // namespace

ClockedOutput::ClockedOutput(std::shared_ptr<MixCapture> capture)
    : capture(std::move(capture)), originTicks(QueryPerformanceCounter()) {}

ClockedOutput::~ClockedOutput() {
  const std::lock_guard guard(mutex);
  CatchUp();
}

void ClockedOutput::Flush() { const auto lock = Enter(); }

void ClockedOutput::CatchUp() {
  const int64_t elapsed = QueryPerformanceCounter() - originTicks;
  const auto due = static_cast<uint64_t>(elapsed) * kOutputRate /
                   static_cast<uint64_t>(QueryPerformanceFrequency());
  while (mixedFrames < due) {
    const auto frames = static_cast<uint32_t>(std::min(due - mixedFrames, kChunkFrames));
    chunk.resize(size_t{frames} * kOutputChannels);
    mixer.Mix(chunk.data(), frames);
    {
      const std::lock_guard guard(capture->mutex);
      capture->samples.insert(capture->samples.end(), chunk.begin(), chunk.end());
    }
    mixedFrames += frames;
  }
}

}  // namespace platform
