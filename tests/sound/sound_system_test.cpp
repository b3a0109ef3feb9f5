// The sound system's ids and names: what LoadSound resolves and shares,
// what every operation does with 0 and unknown ids, the messages and the
// signals they become, the start-up fallback, and a machine without sound.

#include <gmock/gmock.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/platform/resources/ResourceModule.h"
#include "engine/platform/text/Utf.h"
#include "tests/platform/audio/signal_analysis.h"
#include "tests/sound/sound_fixture.h"

namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> Bytes(std::span<const uint8_t> span) { return {span.begin(), span.end()}; }

// Runs in a fresh temporary folder, so that sound files and an
// "Animations.dll" can be put in the current folder.
class SoundNames : public SoundFixture {
 protected:
  SoundNames()
      : folder(fs::temp_directory_path() / ("pestrel-sound-" + std::to_string(::getpid()))) {
    fs::create_directories(folder);
    previous = fs::current_path();
    fs::current_path(folder);
  }
  ~SoundNames() override {
    fs::current_path(previous);
    fs::remove_all(folder);
  }
  void WriteFile(const fs::path& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<uint8_t> Named(const std::u16string& name) {
    return Bytes(*platform::FindNamedData(name));
  }

  fs::path folder;
  fs::path previous;
};

TEST_F(SoundNames, EachKindOfNameResolvesOrGivesZero) {
  WriteFile("tone.ogg", Named(u"TONE_22050_MONO"));
  WriteFile("Тон.ogg", Named(u"TONE_11025_STEREO"));
  WriteFile("201 ", Named(u"TONE_11025_STEREO"));
  WriteFile("broken.ogg", std::vector<uint8_t>(4000, 0x4F));
  WriteFile(platform::kAnimationsModuleName,
            platform::PackResourceModule({{300, Named(u"TONE_22050_MONO")}}));
  const struct {
    std::u16string name;
    uint32_t frames;  // 0: nothing is loaded
  } cases[] = {
      {u"201", 13200 - 3520},    // the program's resource, cut
      {u"0201", 13200 - 3520},   // the same number
      {u"65737", 13200 - 3520},  // only the low 16 bits count
      {u"300", 28665 - 882},     // from "Animations.dll", cut by 20 ms of mono
      {u"301", 0},               // in neither
      {u"tone.ogg", 28665},      // a file, whole
      {u"Тон.ogg", 2205},        // a file with a Cyrillic name
      {u"201 ", 2205},           // not a number: a file
      {u"missing.ogg", 0},
      {u"broken.ogg", 0},  // not Ogg Vorbis
      {u"139", 0},         // a picture
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(platform::Utf16ToUtf8(c.name));
    const uint32_t id = engine->LoadSound(c.name);
    if (c.frames == 0) {
      EXPECT_EQ(id, 0u);
      continue;
    }
    ASSERT_NE(id, 0u);
    EXPECT_EQ(engine->FindStream(id)->Source().TotalFrames(), c.frames);
  }
  // Failures take no id: the next sound gets the next one.
  const uint32_t last = engine->LastSoundId();
  EXPECT_EQ(LoadNamed(u"TONE_22050_MONO"), last + 1);
}

TEST_F(SoundNames, AResourceFromTheModuleStillPlaysAfterTheModuleFileIsGone) {
  WriteFile(platform::kAnimationsModuleName,
            platform::PackResourceModule({{300, Named(u"TONE_11025_STEREO")}}));
  const uint32_t id = engine->LoadSound(u"300");
  ASSERT_NE(id, 0u);
  fs::remove(folder / platform::kAnimationsModuleName);
  ASSERT_TRUE(engine->Play(id, false));
  Run(1200);
  EXPECT_FALSE(engine->IsPlaying(id));
  // 0.2 s less the 20 ms' worth of bytes a resource loses: 80 ms of
  // 11 025 Hz stereo.
  const auto loud = audiotest::LoudExtent(Heard(), 200);
  ASSERT_TRUE(loud.has_value());
  EXPECT_NEAR(static_cast<double>(loud->second), 120.0 * 44.1, 3 * 44.1);
}

using SoundIds = SoundFixture;

TEST_F(SoundIds, LoadingANameAgainGivesItsIdAndDropsItsFinishedSlotsWithoutStoppingIt) {
  const uint32_t id = LoadNamed(u"TONE_22050_MONO");
  int first = 0;
  int second = 0;
  engine->ConnectFinished(id, [&](uint32_t) { return ++first; });
  ASSERT_TRUE(engine->Play(id, false));
  Run(300);
  EXPECT_EQ(LoadNamed(u"TONE_22050_MONO"), id);
  // Under a known name the bytes are not looked at.
  const uint8_t other[] = {1, 2, 3};
  EXPECT_EQ(engine->LoadSound(u"TONE_22050_MONO", other, sizeof other), id);
  EXPECT_TRUE(engine->IsPlaying(id));
  engine->ConnectFinished(id, [&](uint32_t) { return ++second; });
  Run(2500);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(second, 1);
  // It was neither stopped nor rewound: 1.3 s of tone, once.
  const auto loud = audiotest::LoudExtent(Heard(), 200);
  ASSERT_TRUE(loud.has_value());
  EXPECT_NEAR(static_cast<double>(loud->second), 1300.0 * 44.1, 3 * 44.1);
}

TEST_F(SoundIds, ZeroAndUnknownIdsFailQuietly) {
  const uint32_t known = LoadNamed(u"TONE_11025_STEREO");
  for (const uint32_t id : {0u, known + 1, 0xFFFFFFFFu}) {
    SCOPED_TRACE(id);
    EXPECT_FALSE(engine->Play(id, false));
    EXPECT_FALSE(engine->Stop(id));
    EXPECT_FALSE(engine->IsPlaying(id));
    EXPECT_FALSE(engine->ConnectFinished(id, [](uint32_t) { return 0; }).connected());
    EXPECT_EQ(engine->FindStream(id), nullptr);
    window->PostMessage(engine->Messages().pouse, id, 0);
  }
  EXPECT_FALSE(engine->IsPlaying(known));
  EXPECT_EQ(engine->LoadSound(u"no data", nullptr, 100), 0u);
  const uint8_t junk[] = {'O', 'g', 'g', 'S', 0, 0};
  EXPECT_EQ(engine->LoadSound(u"junk", junk, sizeof junk), 0u);
  Run(100);
  EXPECT_TRUE(debugLines.Lines().empty());
}

TEST_F(SoundIds, TheRegisteredMessagesBecomeTheStreamsSignals) {
  const SoundMessages& m = engine->Messages();
  EXPECT_EQ(m.play, platform::RegisterWindowMessageW(u"WM_IM_ONSOUNDPLAY"));
  EXPECT_EQ(m.stop, platform::RegisterWindowMessageW(u"WM_IM_ONSOUNDSTOP"));
  EXPECT_EQ(m.pouse, platform::RegisterWindowMessageW(u"WM_IM_ONSOUNDPOUSE"));
  EXPECT_EQ(m.label, platform::RegisterWindowMessageW(u"WM_IM_ONLABEL"));
  EXPECT_GE(m.play, 0xC000u);

  const uint32_t id = LoadNamed(u"TONE_11025_STEREO");
  std::vector<std::string> fired;
  CSoundStream& stream = *engine->FindStream(id);
  stream.playSignal.connect([&](uint32_t s) {
    fired.push_back("play " + std::to_string(s));
    return 0;
  });
  stream.finishedSignal.connect([&](uint32_t s) {
    fired.push_back("finished " + std::to_string(s));
    return 0;
  });
  stream.stopSignal.connect([&](uint32_t s) {
    fired.push_back("stop " + std::to_string(s));
    return 0;
  });
  for (const uint32_t message : {m.play, m.label, m.stop, m.pouse})
    window->PostMessage(message, id, 0);
  Run(0);
  EXPECT_THAT(fired,
              ::testing::ElementsAre("play " + std::to_string(id), "stop " + std::to_string(id),
                                     "finished " + std::to_string(id)));
  EXPECT_FALSE(engine->IsPlaying(id)) << "messages only report; they change nothing";
}

class SoundWithoutDevice : public SoundFixture {
 protected:
  void SetUp() override {
    audio->SetDeviceAvailable(false);
    Start();
  }
};

TEST_F(SoundWithoutDevice, EverySoundCallFailsQuietlyAndTheLoopRunsOn) {
  EXPECT_FALSE(engine->HasSoundDevice());
  EXPECT_NE(engine->Messages().pouse, 0u);
  for (const std::u16string name : {u"201", u"missing.ogg"}) EXPECT_EQ(engine->LoadSound(name), 0u);
  EXPECT_EQ(LoadNamed(u"TONE_11025_STEREO"), 0u);
  EXPECT_FALSE(engine->Play(0, true));
  EXPECT_FALSE(engine->Stop(0));
  EXPECT_FALSE(engine->IsPlaying(0));
  EXPECT_FALSE(engine->ConnectFinished(0, [](uint32_t) { return 0; }).connected());
  Run(1000);
  EXPECT_EQ(RunMessageLoopPass(root), LoopPass::Idle);
  EXPECT_TRUE(audio->Captured().empty());
}

// Start-up falls back to sharing the device when it cannot have it alone.
class SoundStartUpFallback : public SoundFixture, public ::testing::WithParamInterface<bool> {
 protected:
  void SetUp() override {
    if (GetParam()) {
      audio->RefuseExclusiveLevel(true);
    } else {
      audio->RefusePrimaryFormat(true);
    }
    Start();
  }
};

TEST_P(SoundStartUpFallback, SoundsStillPlay) {
  ASSERT_TRUE(engine->HasSoundDevice());
  const uint32_t id = LoadNamed(u"TONE_11025_STEREO");
  ASSERT_NE(id, 0u);
  ASSERT_TRUE(engine->Play(id, false));
  Run(1200);
  EXPECT_NE(audiotest::LoudExtent(Heard(), 200), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(SoundExclusiveOrFormatRefused, SoundStartUpFallback, ::testing::Bool());

}  // namespace
