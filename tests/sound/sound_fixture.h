#pragma once
// The whole program's sound path on the test backends: the main window
// (headless), the engine with its sound system on the headless sound
// device, and the manual clock. Time moves only in Run, which steps the
// clock 20 ms at a time, lets every playback thread react to each step,
// and handles the window messages in between, as the main loop would.
//
// The sounds (tests/data/engine):
//   rcdata/201.ogg            44 000 Hz stereo, 0.3 s of 1 kHz at half scale
//   named/TONE_11025_STEREO   11 025 Hz stereo, 0.2 s of 500 Hz left and 700 Hz
//                             right (whole periods)
//   named/TONE_22050_MONO     22 050 Hz mono, 1.3 s of 441 Hz
// made with: sox -n -r <rate> -c <channels> -b 16 t.wav synth <seconds>
// sine <frequency> [sine <right>] vol 0.5 && sox t.wav -C 3 t.ogg

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "engine/gui/MainWindow.h"
#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/headless/HeadlessAudioBackend.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/res/ResourceManager.h"
#include "tests/support/headless_program.h"

class SoundFixture : public HeadlessProgramTest {
 protected:
  // Tests that change what the sound device grants do so before Start.
  void SetUp() override { Start(); }
  void Start() {
    root = CreateMainWindow(u"test", std::nullopt, true);
    engine = engineInstance;
  }
  ~SoundFixture() override { delete root; }

  // A sound registered by name in the test data, loaded from memory as
  // the program loads its named sounds.
  uint32_t LoadNamed(const std::u16string& name) {
    const auto bytes = platform::FindNamedData(name);
    EXPECT_TRUE(bytes.has_value()) << "no test data named so";
    if (!bytes) return 0;
    return engine->LoadSound(name, bytes->data(), bytes->size());
  }

  // Moves time on by `ms`, 20 ms at a time.
  void Run(uint32_t ms) {
    Settle();
    Pump();
    for (uint32_t done = 0; done < ms;) {
      const uint32_t step = std::min<uint32_t>(20, ms - done);
      const uint64_t completed = clock.CompletedWaits();
      const size_t woken = clock.Advance(step);
      ASSERT_TRUE(clock.WaitForCompletedWaits(completed + woken));
      Settle();
      Pump();
      done += step;
    }
  }
  // Handles every queued message.
  void Pump() {
    while (RunMessageLoopPass(root) == LoopPass::Message) {
    }
  }
  // Waits until every playback thread is blocked in its wake-up wait, so
  // that the next step wakes each of them. A thread that ends stops
  // counting as playing when it sets its state (its end message queued by
  // then) and never waits again; the count is taken afresh while such a
  // thread is on its way out.
  void Settle() {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    for (;;) {
      const size_t playing = PlayingCount();
      if (clock.WaitForBlockedWaiters(playing, std::chrono::milliseconds(5)) &&
          PlayingCount() == playing) {
        return;
      }
      ASSERT_LT(std::chrono::steady_clock::now(), limit) << "playback threads did not settle";
    }
  }
  size_t PlayingCount() {
    size_t playing = 0;
    for (uint32_t id = 1; id <= engine->LastSoundId(); ++id) playing += engine->IsPlaying(id);
    return playing;
  }

  // The capture from `fromMs` on, as one channel.
  std::vector<double> Heard(int channel = 0, uint32_t fromMs = 0) {
    std::vector<double> out;
    const std::vector<int16_t> all = audio->Captured();
    for (size_t f = size_t{fromMs} * 441 / 10; f < all.size() / 2; ++f) {
      out.push_back(all[2 * f + static_cast<size_t>(channel)]);
    }
    return out;
  }

  IMWindow* root = nullptr;
  IMResourceManager* engine = nullptr;
};
