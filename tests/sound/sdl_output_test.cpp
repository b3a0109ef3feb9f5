// The real backend: a sound played through the whole program path comes
// out of SDL's audio device. SDL's disk driver stands in for a sound card
// and writes the device's output (raw 44 100 Hz stereo 16-bit) to a file,
// a little faster than real time.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/gui/MainWindow.h"
#include "engine/platform/audio/sdl/SdlAudioBackend.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/res/ResourceManager.h"
#include "tests/platform/audio/signal_analysis.h"

namespace {

namespace fs = std::filesystem;

TEST(SoundSdlOutput, AShortSoundPlayedThroughTheEngineIsInTheDiskDriversFile) {
  const fs::path file =
      fs::temp_directory_path() / ("pestrel-disk-audio-" + std::to_string(::getpid()) + ".raw");
  // The test environment picks SDL's silent dummy driver; this test wants
  // the disk driver, which SDL reads when its audio starts.
  ::setenv("SDL_AUDIODRIVER", "disk", 1);
  ::setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
  ::setenv("SDL_DISKAUDIODELAY", "1", 1);

  platform::DebugOutputCapture debugLines;
  platform::ManualClock clock;
  const platform::ScopedClock useClock(clock);
  platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>());
  platform::InstallDeviceBackend(std::make_shared<platform::HeadlessDeviceBackend>());
  const auto sdl = std::make_shared<platform::SdlAudioBackend>();
  platform::InstallAudioBackend(sdl);

  IMWindow* root = CreateMainWindow(u"test", std::nullopt, true);
  ASSERT_TRUE(engineInstance->HasSoundDevice());
  const auto bytes = platform::FindNamedData(u"TONE_11025_STEREO");
  ASSERT_TRUE(bytes.has_value());
  const uint32_t id = engineInstance->LoadSound(u"tone", bytes->data(), bytes->size());
  ASSERT_TRUE(engineInstance->Play(id, false));
  // The clock stands still, so the thread never refills: the buffer goes
  // round with the tone in its first half and silence in its second.
  const uint64_t playedAt = sdl->MixedFrames();
  EXPECT_TRUE(sdl->WaitForMixedFrames(playedAt + 44100, std::chrono::seconds(10)));
  EXPECT_TRUE(engineInstance->Stop(id));
  const uint64_t stoppedAt = sdl->MixedFrames();
  delete root;  // closes the device, and SDL the file

  platform::InstallAudioBackend(nullptr);
  platform::InstallDeviceBackend(nullptr);
  platform::InstallWindowBackend(nullptr);
  ::setenv("SDL_AUDIODRIVER", "dummy", 1);

  std::ifstream in(file, std::ios::binary);
  const std::vector<char> raw{std::istreambuf_iterator<char>(in), {}};
  fs::remove(file);
  std::vector<int16_t> stereo(raw.size() / 2);
  std::memcpy(stereo.data(), raw.data(), stereo.size() * 2);
  ASSERT_GT(stereo.size(), 44100u * 2);

  const auto left = audiotest::Channel(stereo, 0);
  const auto start = audiotest::LoudExtent(left, 200);
  ASSERT_TRUE(start.has_value()) << "the file holds only silence";
  SCOPED_TRACE("played at frame " + std::to_string(playedAt) + ", stopped at " +
               std::to_string(stoppedAt) + ", tone from " + std::to_string(start->first) +
               " in a file of " + std::to_string(left.size()));
  // The first playing of the tone: 0.2 s of 500 Hz, then silence.
  ASSERT_GE(left.size(), start->first + 22050);
  const std::vector<double> first(left.begin() + static_cast<std::ptrdiff_t>(start->first),
                                  left.begin() + static_cast<std::ptrdiff_t>(start->first + 22050));
  const auto tone = audiotest::LoudExtent(first, 200);
  EXPECT_NEAR(static_cast<double>(tone->second), 0.2 * 44100, 150);
  EXPECT_NEAR(audiotest::ZeroCrossingFrequency(
                  std::vector<double>(first.begin(), first.begin() + 8000), 44100),
              500, 1);
  EXPECT_EQ(audiotest::LoudExtent(audiotest::Channel(stereo, 1), 200)->first, start->first);
}

}  // namespace
