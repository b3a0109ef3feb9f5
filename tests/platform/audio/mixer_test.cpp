// What the output sounds like: buffers of different rates mixed at the
// right pitch, seamless across the end of a looping buffer, and clipped
// rather than wrapped when the sum passes full scale. Measured on the
// headless capture.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

#include "engine/platform/audio/SoundDevice.h"
#include "engine/platform/audio/headless/HeadlessAudioBackend.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "tests/platform/audio/signal_analysis.h"

namespace {

using platform::SoundResult;
using platform::WaveFormat;

// `frames` frames of a cosine (the same in every channel), starting at its
// peak so that a fault at the loop point lands on a large sample.
std::vector<int16_t> Cosine(uint16_t channels, uint32_t rate, uint32_t frames, double frequency,
                            double amplitude) {
  std::vector<int16_t> samples;
  for (uint32_t i = 0; i < frames; ++i) {
    const double v = amplitude * std::cos(2 * std::numbers::pi * frequency * i / rate);
    samples.insert(samples.end(), channels, static_cast<int16_t>(std::lround(v)));
  }
  return samples;
}

class SoundMixing : public ::testing::Test {
 protected:
  SoundMixing() : useClock(clock) {}
  void SetUp() override {
    ASSERT_EQ(platform::SoundDevice::Create(backend, &device), SoundResult::Ok);
  }

  // A buffer holding `samples` in `format`, playing looped.
  platform::SoundBuffer& Looping(const WaveFormat& format, const std::vector<int16_t>& samples) {
    std::unique_ptr<platform::SoundBuffer> buffer;
    EXPECT_EQ(
        device->CreateSoundBuffer({0, static_cast<uint32_t>(samples.size() * 2), format}, &buffer),
        SoundResult::Ok);
    platform::LockedArea area;
    EXPECT_EQ(buffer->Lock(0, buffer->Size(), &area), SoundResult::Ok);
    std::memcpy(area.first, samples.data(), area.firstBytes);
    EXPECT_EQ(buffer->Unlock(area), SoundResult::Ok);
    EXPECT_EQ(buffer->Play(platform::kPlayLooping), SoundResult::Ok);
    buffers.push_back(std::move(buffer));
    return *buffers.back();
  }

  platform::ManualClock clock;
  platform::ScopedClock useClock;
  std::shared_ptr<platform::HeadlessAudioBackend> backend =
      std::make_shared<platform::HeadlessAudioBackend>();
  std::unique_ptr<platform::SoundDevice> device;
  std::vector<std::unique_ptr<platform::SoundBuffer>> buffers;
};

TEST_F(SoundMixing, EveryRateKeepsItsPitch) {
  // One second of each buffer, a whole number of periods, looped: played at
  // the output rate without resampling, 44 000 Hz would come out 0.23 %
  // high and 11 025 Hz four times too high.
  const struct {
    uint16_t channels;
    uint32_t rate;
    double frequency;
  } cases[] = {{1, 11025, 441}, {2, 22050, 441}, {2, 44000, 1000}, {1, 44100, 1000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rate);
    buffers.clear();
    const size_t start = backend->Captured().size() / 2;
    Looping(WaveFormat::Pcm16(c.channels, c.rate),
            Cosine(c.channels, c.rate, c.rate, c.frequency, 12000));
    clock.Advance(1000);
    const auto out = backend->Captured();
    for (int channel = 0; channel < 2; ++channel) {
      const double measured =
          audiotest::ZeroCrossingFrequency(audiotest::Channel(out, channel, start), 44100);
      EXPECT_NEAR(measured, c.frequency, c.frequency * 2e-4) << "channel " << channel;
    }
  }
}

TEST_F(SoundMixing, TwoRatesAtOnceAreBothHeardAtTheirOwnPitch) {
  Looping(WaveFormat::Pcm16(1, 11025), Cosine(1, 11025, 11025, 500, 8000));
  Looping(WaveFormat::Pcm16(2, 44000), Cosine(2, 44000, 44000, 1500, 8000));
  clock.Advance(1000);
  const auto out = backend->Captured();
  ASSERT_EQ(out.size(), 44100u * 2);
  for (int channel = 0; channel < 2; ++channel) {
    SCOPED_TRACE(channel);
    const auto x = audiotest::Channel(out, channel);
    EXPECT_NEAR(audiotest::ToneAmplitude(x, 500, 44100), 8000, 200);
    EXPECT_NEAR(audiotest::ToneAmplitude(x, 1500, 44100), 8000, 200);
    // Where the tones would be without resampling.
    EXPECT_LT(audiotest::ToneAmplitude(x, 2000, 44100), 100);
    EXPECT_LT(audiotest::ToneAmplitude(x, 1500 * 44100.0 / 44000, 44100), 2500);
  }
}

TEST_F(SoundMixing, ALoopingBufferGoesOnFromItsStartWithoutAClick) {
  // A whole number of periods, so the loop itself is smooth; the output may
  // then step no further than the tone's own steepest slope.
  const struct {
    uint32_t rate;
    uint32_t frames;
  } cases[] = {{22050, 2205}, {11025, 2205}, {44000, 4400}};
  const double amplitude = 20000;
  const double steepest = 2 * std::numbers::pi * 500 * amplitude / 44100;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rate);
    buffers.clear();
    const size_t start = backend->Captured().size() / 2;
    Looping(WaveFormat::Pcm16(2, c.rate), Cosine(2, c.rate, c.frames, 500, amplitude));
    clock.Advance(500);  // several times round the buffer
    const auto x = audiotest::Channel(backend->Captured(), 0, start + 1);
    EXPECT_LT(audiotest::LargestStep(x), steepest * 1.02 + 2);
  }
}

TEST_F(SoundMixing, ASumPastFullScaleIsClippedNotWrapped) {
  const struct {
    int16_t a;
    int16_t b;
    int16_t expected;
  } cases[] = {{30000, 30000, 32767}, {-30000, -30000, -32768}, {30000, -10000, 20000}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.expected);
    buffers.clear();
    const size_t start = backend->Captured().size();
    Looping(WaveFormat::Pcm16(1, 22050), std::vector<int16_t>(2205, c.a));
    Looping(WaveFormat::Pcm16(2, 44100), std::vector<int16_t>(4410 * 2, c.b));
    clock.Advance(50);
    const auto out = backend->Captured();
    ASSERT_EQ(out.size() - start, 2205u * 2);
    EXPECT_EQ(std::count(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), c.expected),
              2205 * 2);
  }
}

}  // namespace
