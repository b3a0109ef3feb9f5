#pragma once
// A running engine on the headless window, the headless device and the
// manual clock, with helpers to make pictures and look at frames.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/window/headless/HeadlessWindow.h"
#include "engine/res/ResourceManager.h"
#include "tests/render/image_encoders.h"

class EngineFixture : public ::testing::Test {
 protected:
  EngineFixture() : useClock(clock) {
    window = static_cast<platform::HeadlessWindow*>(
        platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>()));
    std::string error;
    window->Create(u"test", 800, 600, false, &error);
    platform::InstallDeviceBackend(device);
    IMResourceManager::StartEngine(false);
    engine = engineInstance;
  }
  ~EngineFixture() override {
    if (engineInstance) IMResourceManager::StopEngine();
    platform::InstallDeviceBackend(nullptr);
    platform::InstallWindowBackend(nullptr);
  }

  // Registers a width x height RGBA picture whose texel (x, y) is
  // colour(x, y) as 0xAARRGGBB.
  uint32_t AddPicture(const std::u16string& name, uint32_t width, uint32_t height,
                      const std::function<uint32_t(uint32_t, uint32_t)>& colour) {
    testimages::PngSpec spec;
    spec.width = width;
    spec.height = height;
    spec.colourType = PNG_COLOR_TYPE_RGBA;
    for (uint32_t y = 0; y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        const uint32_t c = colour(x, y);
        spec.rows.insert(spec.rows.end(), {static_cast<uint8_t>(c >> 16),
                                           static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c),
                                           static_cast<uint8_t>(c >> 24)});
      }
    }
    const auto png = testimages::EncodePng(spec);
    return engine->AddTexture(name, png.data(), png.size());
  }
  uint32_t AddSolid(const std::u16string& name, uint32_t width, uint32_t height, uint32_t argb) {
    return AddPicture(name, width, height, [argb](uint32_t, uint32_t) { return argb; });
  }

  // Clears to `background`, runs `draw` inside a scene and presents.
  void Frame(const std::function<void()>& draw, uint32_t background = 0xFF000000u) {
    engine->Clear(background);
    engine->BeginScene();
    draw();
    engine->EndScene();
    engine->Present();
  }
  uint32_t Pixel(int32_t x, int32_t y) const { return device->PixelAt(x, y); }

  platform::DebugOutputCapture debugLines;
  platform::ManualClock clock;
  platform::ScopedClock useClock;
  platform::HeadlessWindow* window = nullptr;
  std::shared_ptr<platform::HeadlessDeviceBackend> device =
      std::make_shared<platform::HeadlessDeviceBackend>();
  IMResourceManager* engine = nullptr;
};

// Per channel within `tolerance`.
inline bool ColourNear(uint32_t a, uint32_t b, int tolerance) {
  for (int shift = 0; shift < 32; shift += 8) {
    const int ca = static_cast<int>((a >> shift) & 0xFF);
    const int cb = static_cast<int>((b >> shift) & 0xFF);
    if (ca - cb > tolerance || cb - ca > tolerance) return false;
  }
  return true;
}
