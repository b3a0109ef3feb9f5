// The texture registry: names, handles, reference counts, name
// resolution, and the engine's shut-down line.

#include <gmock/gmock.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/platform/resources/EmbeddedData.h"
#include "engine/platform/resources/ResourceModule.h"
#include "engine/platform/text/Utf.h"
#include "tests/render/engine_fixture.h"

namespace {

namespace fs = std::filesystem;

// Runs the test in a fresh temporary folder, so that files named like
// resource numbers and an "Animations.dll" can be put in the current folder.
class Registry : public EngineFixture {
 protected:
  Registry() : folder(fs::temp_directory_path() / ("pestrel-registry-" + std::to_string(::getpid()))) {
    fs::create_directories(folder);
    previous = fs::current_path();
    fs::current_path(folder);
  }
  ~Registry() override {
    fs::current_path(previous);
    fs::remove_all(folder);
  }
  void WriteFile(const fs::path& name, const std::vector<uint8_t>& bytes) {
    std::ofstream(folder / name, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<uint8_t> Png(uint32_t argb) {
    testimages::PngSpec spec;
    spec.width = spec.height = 2;
    spec.colourType = PNG_COLOR_TYPE_RGBA;
    for (int i = 0; i < 4; ++i) {
      spec.rows.insert(spec.rows.end(), {static_cast<uint8_t>(argb >> 16), static_cast<uint8_t>(argb >> 8),
                                         static_cast<uint8_t>(argb), static_cast<uint8_t>(argb >> 24)});
    }
    return testimages::EncodePng(spec);
  }
  // Texel (0, 0) of a live handle's copy, as 0xAARRGGBB.
  uint32_t FirstTexel(uint32_t h) {
    const uint8_t* p = engine->Entry(h)->cpuPixels.get();
    return uint32_t{p[3]} << 24 | uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | p[0];
  }

  fs::path folder;
  fs::path previous;
};

TEST_F(Registry, LoadingANameTwiceSharesOneEntryAndItsHandleIsReused) {
  const uint32_t first = engine->LoadTexture(u"139");
  ASSERT_NE(first, engine->HandleCount());
  EXPECT_EQ(engine->LoadTexture(u"139"), first);
  EXPECT_EQ(engine->Entry(first)->refCount, 2);
  EXPECT_EQ(engine->Entry(first)->imageRect, (RECT{0, 0, 4, 2}));
  engine->ReleaseTexture(first);
  EXPECT_EQ(engine->FindTexture(u"139"), first);
  engine->ReleaseTexture(first);
  EXPECT_EQ(engine->Entry(first), nullptr);
  EXPECT_EQ(engine->FindTexture(u"139"), engine->HandleCount());

  // The freed handle is the next one handed out.
  const uint32_t count = engine->HandleCount();
  EXPECT_EQ(AddSolid(u"next", 2, 2, 0xFFFFFFFF), first);
  EXPECT_EQ(engine->HandleCount(), count);
  // With no freed handle left, an unknown name's answer is the next handle.
  const uint32_t unknown = engine->FindTexture(u"unknown");
  EXPECT_EQ(unknown, engine->HandleCount());
  EXPECT_EQ(AddSolid(u"after", 2, 2, 0xFFFFFFFF), unknown);
}

TEST_F(Registry, AddingARegisteredNameIgnoresTheNewData) {
  const auto red = Png(0xFFFF0000);
  const auto blue = Png(0xFF0000FF);
  const uint32_t h = engine->AddTexture(u"picture", red.data(), red.size());
  EXPECT_EQ(engine->AddTexture(u"picture", blue.data(), blue.size()), h);
  EXPECT_EQ(engine->Entry(h)->refCount, 2);
  EXPECT_EQ(FirstTexel(h), 0xFFFF0000u);  // still the red one
  // Data neither decoder takes registers nothing.
  const std::vector<uint8_t> junk(64, 0x42);
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(engine->AddTexture(u"junk", junk.data(), junk.size()), engine->HandleCount());
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(engine->FindTexture(u"junk"), engine->HandleCount());
  EXPECT_EQ(engine->AddTexture(u"nothing", nullptr, 0), engine->HandleCount());
}

TEST_F(Registry, NamesAreNumbersOnlyWhenTheWholeNameIsOne) {
  WriteFile("139a", Png(0xFF0000FF));
  WriteFile("139 ", Png(0xFF00FF00));
  struct Case {
    std::u16string name;
    bool found;
    uint32_t texel;  // (0, 0)
  } cases[] = {
      {u"139", true, 0xFFFF0000},    // the program's resource: red first texel
      {u"0139", true, 0xFFFF0000},   // the same resource under another name
      {u"65675", true, 0xFFFF0000},  // only the low 16 bits count: 65536 + 139
      {u"139a", true, 0xFF0000FF},   // a file
      {u"139 ", true, 0xFF00FF00},   // a file too
      {u"140", false, 0},            // no such resource anywhere
      {u"no-such-file.png", false, 0},
  };
  for (const auto& c : cases) {
    const uint32_t h = engine->LoadTexture(c.name);
    EXPECT_EQ(h != engine->HandleCount(), c.found) << platform::Utf16ToUtf8(c.name);
    if (c.found && h != engine->HandleCount()) {
      EXPECT_EQ(FirstTexel(h), c.texel) << platform::Utf16ToUtf8(c.name);
    }
  }
  EXPECT_NE(engine->FindTexture(u"0139"), engine->FindTexture(u"139"));
}

TEST_F(Registry, NumbersTheProgramLacksAreLookedForInTheAnimationsModule) {
  EXPECT_EQ(engine->LoadTexture(u"185"), engine->HandleCount());  // no module yet
  WriteFile(platform::kAnimationsModuleName,
            platform::PackResourceModule({{185, Png(0xFF0000FF)}, {139, Png(0xFF00FF00)}}));
  const uint32_t h = engine->LoadTexture(u"185");
  ASSERT_NE(h, engine->HandleCount());
  EXPECT_EQ(FirstTexel(h), 0xFF0000FFu);
  // The program's own resource wins over the module's.
  EXPECT_EQ(FirstTexel(engine->LoadTexture(u"139")), 0xFFFF0000u);

  // A damaged module counts as absent.
  auto damaged = platform::PackResourceModule({{186, Png(0xFF0000FF)}});
  damaged.resize(damaged.size() - 10);
  WriteFile(platform::kAnimationsModuleName, damaged);
  EXPECT_EQ(engine->LoadTexture(u"186"), engine->HandleCount());
}

TEST_F(Registry, NamedDataIsRegisteredFromTheProgramsOwnBytes) {
  const auto bytes = platform::FindNamedData(u"HalfYellow");
  ASSERT_TRUE(bytes);
  const uint32_t h = engine->AddTexture(u"HalfYellow", bytes->data(), bytes->size());
  ASSERT_NE(h, engine->HandleCount());
  EXPECT_EQ(engine->Entry(h)->cpuPixels[3], 128);  // its alpha survived
}

TEST_F(Registry, ReferencesToFreeSlotsChangeNothing) {
  const uint32_t a = AddSolid(u"a", 2, 2, 0xFFFFFFFF);
  const uint32_t b = AddSolid(u"b", 2, 2, 0xFFFFFFFF);
  engine->ReleaseTexture(a);
  EXPECT_EQ(engine->AddRefTexture(a), engine->HandleCount());
  engine->ReleaseTexture(a);
  engine->ReleaseTexture(engine->HandleCount());
  engine->ReleaseTexture(12345);
  EXPECT_EQ(engine->Entry(b)->refCount, 1);
  EXPECT_EQ(engine->AddRefTexture(b), b);
  engine->ReleaseTextureByName(u"b");
  engine->ReleaseTextureByName(u"never registered");
  EXPECT_EQ(engine->Entry(b)->refCount, 1);
}

TEST_F(Registry, ShutDownWritesTheFrameRateOnce) {
  engine->frameCount = 150;
  clock.Advance(3000);
  IMResourceManager::StopEngine();
  EXPECT_EQ(engineInstance, nullptr);
  EXPECT_THAT(debugLines.Lines(), ::testing::ElementsAre(u"FPS: 50"));

  // With no time passed and no frame the rate is 0, not a division by zero.
  IMResourceManager::StartEngine(false);
  IMResourceManager::StopEngine();
  EXPECT_THAT(debugLines.Lines(), ::testing::ElementsAre(u"FPS: 50", u"FPS: 0"));
}

TEST(Engine, StartUpFailsCleanlyWithoutADevice) {
  auto device = std::make_shared<platform::HeadlessDeviceBackend>();
  platform::InstallDeviceBackend(device);
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::string message;
  } cases[] = {
      {"no device service", [&] { device->SetDirect3DAvailable(false); }, "Can't init Direct3D"},
      {"no display mode", [&] { device->SetDisplayModeAvailable(false); }, "Can't init DisplayMode"},
      {"no device", [&] { device->FailDeviceCreations(1); }, "Не могу создать устройство Direct3D"},
  };
  for (const auto& c : cases) {
    device->SetDirect3DAvailable(true);
    device->SetDisplayModeAvailable(true);
    c.arrange();
    try {
      IMResourceManager::StartEngine(false);
      ADD_FAILURE() << c.name << ": started";
      IMResourceManager::StopEngine();
    } catch (const std::exception& e) {
      EXPECT_EQ(e.what(), c.message) << c.name;
    }
    EXPECT_EQ(engineInstance, nullptr) << c.name;
  }
  platform::InstallDeviceBackend(nullptr);
}

}  // namespace
