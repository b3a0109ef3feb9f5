// The sound-device service on the headless backend and the manual clock:
// device creation and levels, buffer descriptions, locks, play cursors,
// loss, and the WAV capture. The output mixes lazily as the clock moves,
// so these tests need no threads.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/platform/audio/SoundDevice.h"
#include "engine/platform/audio/headless/HeadlessAudioBackend.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"

namespace {

using platform::SoundResult;
using platform::WaveFormat;

class SoundDeviceTest : public ::testing::Test {
 protected:
  SoundDeviceTest() : useClock(clock) {}
  void SetUp() override {
    ASSERT_EQ(platform::SoundDevice::Create(backend, &device), SoundResult::Ok);
  }

  std::unique_ptr<platform::SoundBuffer> Buffer(const WaveFormat& format, uint32_t bytes) {
    std::unique_ptr<platform::SoundBuffer> buffer;
    EXPECT_EQ(device->CreateSoundBuffer({platform::kBufferCtrlPan, bytes, format}, &buffer),
              SoundResult::Ok);
    return buffer;
  }
  // Writes every sample of the buffer.
  static void Fill(platform::SoundBuffer& buffer, const std::vector<int16_t>& samples) {
    platform::LockedArea area;
    ASSERT_EQ(buffer.Lock(0, buffer.Size(), &area), SoundResult::Ok);
    ASSERT_EQ(area.firstBytes, samples.size() * 2);
    std::memcpy(area.first, samples.data(), area.firstBytes);
    ASSERT_EQ(buffer.Unlock(area), SoundResult::Ok);
  }
  static uint32_t Cursor(platform::SoundBuffer& buffer) {
    uint32_t cursor = 0;
    EXPECT_EQ(buffer.GetCurrentPosition(&cursor), SoundResult::Ok);
    return cursor;
  }
  static uint32_t Status(platform::SoundBuffer& buffer) {
    uint32_t status = 0;
    EXPECT_EQ(buffer.GetStatus(&status), SoundResult::Ok);
    return status;
  }

  platform::ManualClock clock;
  platform::ScopedClock useClock;
  std::shared_ptr<platform::HeadlessAudioBackend> backend =
      std::make_shared<platform::HeadlessAudioBackend>();
  std::unique_ptr<platform::SoundDevice> device;
};

TEST(SoundDeviceCreation, NoDeviceModeFailsAndLeavesThePointerAlone) {
  auto backend = std::make_shared<platform::HeadlessAudioBackend>();
  backend->SetDeviceAvailable(false);
  std::unique_ptr<platform::SoundDevice> device;
  EXPECT_EQ(platform::SoundDevice::Create(backend, &device), SoundResult::NoDriver);
  EXPECT_EQ(device, nullptr);
}

TEST_F(SoundDeviceTest, ARefusedLevelKeepsTheOneBefore) {
  backend->RefuseExclusiveLevel(true);
  EXPECT_EQ(device->SetCooperativeLevel(platform::CooperativeLevel::Exclusive),
            SoundResult::Refused);
  EXPECT_EQ(device->Level(), platform::CooperativeLevel::Normal);
  EXPECT_EQ(device->SetCooperativeLevel(platform::CooperativeLevel::Priority), SoundResult::Ok);
  EXPECT_EQ(device->Level(), platform::CooperativeLevel::Priority);
}

TEST_F(SoundDeviceTest, BufferDescriptionsAreChecked) {
  const WaveFormat stereo = WaveFormat::Pcm16(2, 44100);
  WaveFormat eightBit = WaveFormat::Pcm16(1, 22050);
  eightBit.bitsPerSample = 8;
  WaveFormat wrongAlign = WaveFormat::Pcm16(2, 22050);
  wrongAlign.blockAlign = 2;
  const struct {
    const char* what;
    platform::BufferDescription description;
    SoundResult expected;
  } cases[] = {
      {"stereo secondary", {0, 4000, stereo}, SoundResult::Ok},
      {"the smallest mono secondary", {0, 4, WaveFormat::Pcm16(1, 11025)}, SoundResult::Ok},
      {"primary", {platform::kBufferPrimary, 0, std::nullopt}, SoundResult::Ok},
      {"primary with a size",
       {platform::kBufferPrimary, 4000, std::nullopt},
       SoundResult::InvalidCall},
      {"primary with a format", {platform::kBufferPrimary, 0, stereo}, SoundResult::InvalidCall},
      {"secondary without a format", {0, 4000, std::nullopt}, SoundResult::InvalidCall},
      {"part of a frame", {0, 4002, stereo}, SoundResult::InvalidCall},
      {"too small", {0, 2, WaveFormat::Pcm16(1, 11025)}, SoundResult::InvalidCall},
      {"too large", {0, platform::kMaxBufferBytes + 1, stereo}, SoundResult::InvalidCall},
      {"8-bit", {0, 4000, eightBit}, SoundResult::InvalidCall},
      {"three channels", {0, 6000, WaveFormat::Pcm16(3, 44100)}, SoundResult::InvalidCall},
      {"block align that does not match", {0, 4000, wrongAlign}, SoundResult::InvalidCall},
  };
  for (const auto& c : cases) {
    std::unique_ptr<platform::SoundBuffer> buffer;
    EXPECT_EQ(device->CreateSoundBuffer(c.description, &buffer), c.expected) << c.what;
    EXPECT_EQ(buffer != nullptr, c.expected == SoundResult::Ok) << c.what;
  }
}

TEST_F(SoundDeviceTest, ThePrimaryBufferTakesAFormatAndPlaysOnlyLooped) {
  std::unique_ptr<platform::SoundBuffer> primary;
  ASSERT_EQ(device->CreateSoundBuffer({platform::kBufferPrimary, 0, std::nullopt}, &primary),
            SoundResult::Ok);
  EXPECT_EQ(primary->SetFormat(WaveFormat::Pcm16(2, 22050)), SoundResult::Ok);
  EXPECT_EQ(primary->Format(), WaveFormat::Pcm16(2, 22050));
  EXPECT_EQ(primary->SetFormat(WaveFormat{}), SoundResult::InvalidCall);
  backend->RefusePrimaryFormat(true);
  EXPECT_EQ(primary->SetFormat(WaveFormat::Pcm16(2, 44100)), SoundResult::Refused);
  EXPECT_EQ(primary->Format(), WaveFormat::Pcm16(2, 22050));

  EXPECT_EQ(primary->Play(0), SoundResult::InvalidCall);
  EXPECT_EQ(primary->Play(platform::kPlayLooping), SoundResult::Ok);
  EXPECT_EQ(Status(*primary), platform::kStatusPlaying | platform::kStatusLooping);
  platform::LockedArea area;
  uint32_t cursor;
  EXPECT_EQ(primary->Lock(0, 4, &area), SoundResult::InvalidCall);
  EXPECT_EQ(primary->GetCurrentPosition(&cursor), SoundResult::InvalidCall);

  auto secondary = Buffer(WaveFormat::Pcm16(2, 44100), 400);
  EXPECT_EQ(secondary->SetFormat(WaveFormat::Pcm16(2, 44100)), SoundResult::InvalidCall);
}

TEST_F(SoundDeviceTest, ALockPastTheEndWrapsToTheStartAndOnlyUnlockWritesIt) {
  auto buffer = Buffer(WaveFormat::Pcm16(1, 22050), 64);
  platform::LockedArea area;
  ASSERT_EQ(buffer->Lock(56, 16, &area), SoundResult::Ok);
  ASSERT_EQ(area.firstBytes, 8u);
  ASSERT_EQ(area.secondBytes, 8u);
  ASSERT_EQ(area.second, area.first + 8);
  for (uint8_t i = 0; i < 16; ++i) area.first[i] = static_cast<uint8_t>(i + 1);

  // While locked: no second lock, and the bytes are not in the buffer yet.
  platform::LockedArea other;
  EXPECT_EQ(buffer->Lock(0, 4, &other), SoundResult::InvalidCall);
  EXPECT_EQ(buffer->Unlock(platform::LockedArea{}), SoundResult::InvalidCall);
  ASSERT_EQ(buffer->Unlock(area), SoundResult::Ok);
  EXPECT_EQ(buffer->Unlock(area), SoundResult::InvalidCall);

  ASSERT_EQ(buffer->Lock(0, 64, &area), SoundResult::Ok);
  std::vector<uint8_t> expected(64, 0);
  for (uint8_t i = 0; i < 8; ++i) {
    expected[56 + i] = static_cast<uint8_t>(i + 1);
    expected[i] = static_cast<uint8_t>(i + 9);
  }
  EXPECT_EQ(std::vector<uint8_t>(area.first, area.first + 64), expected);
  EXPECT_EQ(area.second, nullptr);
  EXPECT_EQ(buffer->Unlock(area), SoundResult::Ok);

  for (const auto& [offset, bytes] : {std::pair{64u, 1u}, {0u, 0u}, {0u, 65u}}) {
    EXPECT_EQ(buffer->Lock(offset, bytes, &area), SoundResult::InvalidCall)
        << offset << " " << bytes;
  }
}

TEST_F(SoundDeviceTest, ThePlayCursorMovesWithTheClockAtTheBuffersOwnRate) {
  auto stereo = Buffer(WaveFormat::Pcm16(2, 44100), 44100 * 4);  // one second
  auto mono = Buffer(WaveFormat::Pcm16(1, 22050), 22050);        // half a second
  clock.Advance(100);
  EXPECT_EQ(Cursor(*stereo), 0u) << "a stopped buffer stays where it is";

  ASSERT_EQ(stereo->Play(platform::kPlayLooping), SoundResult::Ok);
  ASSERT_EQ(mono->Play(0), SoundResult::Ok);
  clock.Advance(100);
  EXPECT_EQ(Cursor(*stereo), 4410u * 4);
  EXPECT_EQ(Cursor(*mono), 2205u * 2);

  // 1.05 s: the looping buffer has gone round once; the other stopped at
  // its end and went back to its start.
  clock.Advance(950);
  EXPECT_EQ(Cursor(*stereo), 2205u * 4);
  EXPECT_EQ(Status(*stereo), platform::kStatusPlaying | platform::kStatusLooping);
  EXPECT_EQ(Cursor(*mono), 0u);
  EXPECT_EQ(Status(*mono), 0u);

  ASSERT_EQ(stereo->Stop(), SoundResult::Ok);
  clock.Advance(100);
  EXPECT_EQ(Cursor(*stereo), 2205u * 4);
  // A cursor is set to the frame holding the offset.
  EXPECT_EQ(stereo->SetCurrentPosition(4003), SoundResult::Ok);
  EXPECT_EQ(Cursor(*stereo), 4000u);
  EXPECT_EQ(stereo->SetCurrentPosition(44100 * 4), SoundResult::InvalidCall);
}

TEST_F(SoundDeviceTest, AWriteWhilePlayingIsHeardFromThatMomentOn) {
  auto buffer = Buffer(WaveFormat::Pcm16(2, 44100), 44100 * 4);
  ASSERT_EQ(buffer->Play(platform::kPlayLooping), SoundResult::Ok);
  clock.Advance(100);
  Fill(*buffer, std::vector<int16_t>(44100 * 2, 1000));
  clock.Advance(100);
  const std::vector<int16_t> out = backend->Captured();
  ASSERT_EQ(out.size(), 8820u * 2);
  EXPECT_EQ(std::count(out.begin(), out.begin() + 4410 * 2, 0), 4410 * 2);
  EXPECT_EQ(std::count(out.begin() + 4410 * 2, out.end(), 1000), 4410 * 2);
}

TEST_F(SoundDeviceTest, ALostBufferRefusesLocksAndPlaysUntilRestored) {
  auto buffer = Buffer(WaveFormat::Pcm16(1, 44100), 44100 * 2);
  Fill(*buffer, std::vector<int16_t>(44100, 500));
  ASSERT_EQ(buffer->Play(platform::kPlayLooping), SoundResult::Ok);
  backend->LoseBuffers();
  platform::LockedArea area;
  EXPECT_EQ(buffer->Lock(0, 4, &area), SoundResult::BufferLost);
  EXPECT_EQ(buffer->Play(platform::kPlayLooping), SoundResult::BufferLost);
  EXPECT_EQ(Status(*buffer),
            platform::kStatusPlaying | platform::kStatusLooping | platform::kStatusBufferLost);
  // It goes on playing what it held.
  clock.Advance(10);
  const std::vector<int16_t> out = backend->Captured();
  EXPECT_EQ(std::count(out.begin(), out.end(), 500), 441 * 2);

  EXPECT_EQ(buffer->Restore(), SoundResult::Ok);
  EXPECT_EQ(buffer->Lock(0, 4, &area), SoundResult::Ok);
  EXPECT_EQ(buffer->Unlock(area), SoundResult::Ok);
  // A buffer made after the loss is not lost.
  auto later = Buffer(WaveFormat::Pcm16(1, 44100), 400);
  EXPECT_EQ(later->Lock(0, 4, &area), SoundResult::Ok);
  EXPECT_EQ(later->Unlock(area), SoundResult::Ok);
}

TEST_F(SoundDeviceTest, TheCaptureIsSavedAsA44100HzStereoWavFile) {
  auto buffer = Buffer(WaveFormat::Pcm16(2, 44100), 4000);
  Fill(*buffer, std::vector<int16_t>(2000, -1234));
  ASSERT_EQ(buffer->Play(platform::kPlayLooping), SoundResult::Ok);
  clock.Advance(20);
  const auto path = std::filesystem::temp_directory_path() /
                    ("pestrel-capture-" + std::to_string(::getpid()) + ".wav");
  std::string error;
  ASSERT_TRUE(backend->SaveCaptureWav(path.string(), &error)) << error;
  std::ifstream file(path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  std::filesystem::remove(path);

  ASSERT_EQ(bytes.size(), 44u + 882 * 4);
  const auto u16 = [&](size_t at) { return uint32_t{bytes[at]} | uint32_t{bytes[at + 1]} << 8; };
  const auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(bytes.begin() + 8, bytes.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(u16(20), 1u);      // PCM
  EXPECT_EQ(u16(22), 2u);      // channels
  EXPECT_EQ(u32(24), 44100u);  // rate
  EXPECT_EQ(u16(34), 16u);     // bits
  EXPECT_EQ(std::string(bytes.begin() + 36, bytes.begin() + 40), "data");
  EXPECT_EQ(u32(40), 882u * 4);
  EXPECT_EQ(static_cast<int16_t>(u16(44)), -1234);

  EXPECT_FALSE(backend->SaveCaptureWav("/nonexistent-folder/capture.wav", &error));
  EXPECT_NE(error.find("/nonexistent-folder/capture.wav"), std::string::npos);
}

}  // namespace
