// Streams through the whole program path on the manual clock: when a play
// starts and ends, what the signals report and on which thread, what is
// heard (the headless capture), looping, stopping, buffer loss and
// shut-down.

#include <gmock/gmock.h>

#include <thread>

#include "engine/platform/text/Utf.h"
#include "tests/platform/audio/signal_analysis.h"
#include "tests/sound/sound_fixture.h"

using ::testing::ElementsAre;

namespace {

using SoundStreams = SoundFixture;

// Samples this quiet count as silence; the test tones are at half scale.
constexpr double kQuiet = 200;
// Output frames in `ms` milliseconds.
constexpr size_t Frames(double ms) { return static_cast<size_t>(ms * 44.1); }

TEST_F(SoundStreams, AShortSoundEndsAboutOneSecondAfterPlayOnTheWindowsThread) {
  const uint32_t id = LoadNamed(u"TONE_11025_STEREO");
  ASSERT_NE(id, 0u);
  std::vector<uint32_t> startedAt;
  std::vector<uint32_t> finishedAt;
  std::thread::id finishedOn;
  engine->FindStream(id)->playSignal.connect([&](uint32_t sound) {
    EXPECT_EQ(sound, id);
    startedAt.push_back(platform::timeGetTime());
    return 0;
  });
  engine->ConnectFinished(id, [&](uint32_t sound) {
    EXPECT_EQ(sound, id);
    finishedAt.push_back(platform::timeGetTime());
    finishedOn = std::this_thread::get_id();
    return 0;
  });

  ASSERT_TRUE(engine->Play(id, false));
  EXPECT_TRUE(engine->IsPlaying(id));
  Run(2000);
  EXPECT_THAT(startedAt, ElementsAre(0u));
  ASSERT_EQ(finishedAt.size(), 1u);
  EXPECT_GE(finishedAt[0], 1000u);
  EXPECT_LE(finishedAt[0], 1060u);
  EXPECT_EQ(finishedOn, std::this_thread::get_id());
  EXPECT_FALSE(engine->IsPlaying(id));
  EXPECT_THAT(debugLines.Lines(), ElementsAre(u" звук играет", u" звук остановился"));

  // The tone from the start, 0.2 s of it at its pitch, then silence.
  const auto heard = Heard();
  const auto loud = audiotest::LoudExtent(heard, kQuiet);
  ASSERT_TRUE(loud.has_value());
  EXPECT_LT(loud->first, Frames(2));
  EXPECT_NEAR(static_cast<double>(loud->second), Frames(200.0), Frames(3));
  EXPECT_NEAR(audiotest::ZeroCrossingFrequency(
                  std::vector<double>(heard.begin(), heard.begin() + Frames(190)), 44100),
              500, 0.5);
}

TEST_F(SoundStreams, PlayingAPlayingSoundOnlyChangesItsLoopFlag) {
  const uint32_t id = LoadNamed(u"TONE_22050_MONO");
  int started = 0;
  std::vector<uint32_t> finishedAt;
  engine->FindStream(id)->playSignal.connect([&](uint32_t) { return ++started; });
  engine->ConnectFinished(id, [&](uint32_t) {
    finishedAt.push_back(platform::timeGetTime());
    return 0;
  });
  ASSERT_TRUE(engine->Play(id, true));
  Run(1500);  // past its 1.3 s of data: it loops
  EXPECT_TRUE(engine->IsPlaying(id));
  // Still true for the caller; the sound now ends at its next end of data
  // (2.6 s), with silence after it and no second start.
  EXPECT_TRUE(engine->Play(id, false));
  Run(2500);
  EXPECT_EQ(started, 1);
  ASSERT_EQ(finishedAt.size(), 1u);
  EXPECT_GE(finishedAt[0], 3000u);
  EXPECT_LE(finishedAt[0], 3700u);
  const auto loud = audiotest::LoudExtent(Heard(), kQuiet);
  ASSERT_TRUE(loud.has_value());
  EXPECT_NEAR(static_cast<double>(loud->second), Frames(2600.0), Frames(5));
}

TEST_F(SoundStreams, StopWaitsForTheThreadAndOnlyAPlayingSoundHasAnythingToStop) {
  const uint32_t id = LoadNamed(u"TONE_22050_MONO");
  int finished = 0;
  engine->ConnectFinished(id, [&](uint32_t) { return ++finished; });

  // Stopped: true for an id that names a stream, and nothing else.
  EXPECT_TRUE(engine->Stop(id));
  Run(100);
  EXPECT_EQ(finished, 0);
  EXPECT_TRUE(debugLines.Lines().empty());

  ASSERT_TRUE(engine->Play(id, true));
  Run(300);
  // The thread ends without the clock moving: Stop's wait needs no time.
  const uint32_t stoppedAt = platform::timeGetTime();
  EXPECT_TRUE(engine->Stop(id));
  EXPECT_FALSE(engine->IsPlaying(id));
  EXPECT_EQ(finished, 0) << "the signal comes from the loop, not from Stop";
  Run(0);
  EXPECT_EQ(finished, 1);
  EXPECT_THAT(debugLines.Lines(),
              ElementsAre(u" звук играет", u" звук стой", u" звук остановился"));
  // Silence from the stop on.
  Run(200);
  EXPECT_EQ(audiotest::LoudExtent(Heard(0, stoppedAt), 0), std::nullopt);

  // A stopped sound plays again from its start: all 1.3 s of it.
  const uint32_t againAt = platform::timeGetTime();
  ASSERT_TRUE(engine->Play(id, false));
  Run(2000);
  EXPECT_EQ(finished, 2);
  const auto loud = audiotest::LoudExtent(Heard(0, againAt), kQuiet);
  ASSERT_TRUE(loud.has_value());
  EXPECT_LT(loud->first, Frames(2));
  EXPECT_NEAR(static_cast<double>(loud->second), Frames(1300), Frames(3));
}

TEST_F(SoundStreams, ALoopingSoundHasNoGapAcrossItsEnd) {
  // 0.2 s: shorter than a half, so each half holds several repetitions
  // (and at 11 025 Hz stereo a half is not a whole number of frames unless
  // rounded: the channels would swap every other half); 1.3 s: its end
  // falls at a different place in the halves each time.
  const struct {
    const char16_t* name;
    double frequency[2];
  } cases[] = {{u"TONE_11025_STEREO", {500, 700}}, {u"TONE_22050_MONO", {441, 441}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.name));
    const uint32_t from = platform::timeGetTime();
    const uint32_t id = LoadNamed(c.name);
    ASSERT_TRUE(engine->Play(id, true));
    Run(3000);
    for (int channel = 0; channel < 2; ++channel) {
      SCOPED_TRACE(channel);
      auto heard = Heard(channel, from);
      heard.resize(Frames(3000));
      EXPECT_LE(audiotest::LongestQuietRun(heard, kQuiet), 4u);
      EXPECT_NEAR(audiotest::ZeroCrossingFrequency(heard, 44100), c.frequency[channel], 1);
    }
    EXPECT_TRUE(engine->IsPlaying(id));
    EXPECT_TRUE(engine->Stop(id));
    Run(0);
  }
}

TEST_F(SoundStreams, ALongSoundIsHeardWholeAtItsPitchAcrossTheHalves) {
  const uint32_t id = LoadNamed(u"TONE_22050_MONO");
  ASSERT_TRUE(engine->Play(id, false));
  Run(2500);
  const auto heard = Heard();
  const auto loud = audiotest::LoudExtent(heard, kQuiet);
  ASSERT_TRUE(loud.has_value());
  EXPECT_NEAR(static_cast<double>(loud->second), Frames(1300.0), Frames(3));
  const std::vector<double> tone(heard.begin(), heard.begin() + Frames(1290));
  EXPECT_LE(audiotest::LongestQuietRun(tone, kQuiet), 4u);
  EXPECT_NEAR(audiotest::ZeroCrossingFrequency(tone, 44100), 441, 0.2);
}

TEST_F(SoundStreams, AResourceSoundLosesItsLast80MillisecondsAndTheSameBytesFromMemoryDoNot) {
  const auto bytes = platform::FindNumberedResource(201);
  ASSERT_TRUE(bytes.has_value());
  const uint32_t resource = engine->LoadSound(u"201");
  const uint32_t memory = engine->LoadSound(u"tone 201", bytes->data(), bytes->size());
  ASSERT_NE(resource, 0u);
  ASSERT_NE(memory, 0u);
  ASSERT_NE(resource, memory);
  EXPECT_EQ(engine->FindStream(memory)->Source().TotalFrames(), 13200u);
  EXPECT_EQ(engine->FindStream(resource)->Source().TotalFrames(), 13200u - 3520u);

  // 0.3 s of tone against 0.22 s (3 528 output frames less).
  size_t heard[2];
  for (int i = 0; i < 2; ++i) {
    const uint32_t from = platform::timeGetTime();
    ASSERT_TRUE(engine->Play(i == 0 ? memory : resource, false));
    Run(1200);
    const auto loud = audiotest::LoudExtent(Heard(0, from), kQuiet);
    ASSERT_TRUE(loud.has_value());
    heard[i] = loud->second - loud->first;
  }
  EXPECT_NEAR(static_cast<double>(heard[0]), Frames(300.0), Frames(1));
  EXPECT_NEAR(static_cast<double>(heard[0] - heard[1]), 3528, 30);
}

TEST_F(SoundStreams, ALostBufferIsRestoredAndTheSoundGoesOn) {
  const uint32_t id = LoadNamed(u"TONE_22050_MONO");
  int finished = 0;
  engine->ConnectFinished(id, [&](uint32_t) { return ++finished; });
  ASSERT_TRUE(engine->Play(id, false));
  Run(300);
  audio->LoseBuffers();
  Run(2200);
  EXPECT_EQ(finished, 1);
  const auto heard = Heard();
  EXPECT_LE(audiotest::LongestQuietRun(
                std::vector<double>(heard.begin(), heard.begin() + Frames(1290)), kQuiet),
            4u);
}

TEST_F(SoundStreams, ShutDownStopsWhatIsPlayingAndWaitsForItsThread) {
  const uint32_t looping = LoadNamed(u"TONE_11025_STEREO");
  const uint32_t once = LoadNamed(u"TONE_22050_MONO");
  ASSERT_TRUE(engine->Play(looping, true));
  ASSERT_TRUE(engine->Play(once, false));
  Run(400);
  delete root;
  root = nullptr;
  EXPECT_EQ(engineInstance, nullptr);
  EXPECT_EQ(clock.BlockedWaiters(), 0u);
  const auto lines = debugLines.Lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), u" звук остановился"), 2);
  EXPECT_EQ(std::count(lines.begin(), lines.end(), u" звук стой"), 0);
}

}  // namespace
