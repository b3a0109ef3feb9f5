#pragma once
// The program's headless surroundings for tests that run a whole window:
// the manual clock, the headless window, drawing device and sound output,
// installed for the test's life and taken away after it. A fixture
// deriving from this creates (and deletes) its own main window.

#include <gtest/gtest.h>

#include <memory>

#include "engine/platform/audio/AudioBackend.h"
#include "engine/platform/audio/headless/HeadlessAudioBackend.h"
#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/debug/DebugOutput.h"
#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/headless/HeadlessDeviceBackend.h"
#include "engine/platform/window/headless/HeadlessWindow.h"

class HeadlessProgramTest : public ::testing::Test {
 protected:
  HeadlessProgramTest() : useClock(clock) {
    window = static_cast<platform::HeadlessWindow*>(
        platform::InstallWindowBackend(std::make_unique<platform::HeadlessWindow>()));
    platform::InstallDeviceBackend(device);
    platform::InstallAudioBackend(audio);
  }
  // Runs after the fixture's own destructor has deleted its window.
  ~HeadlessProgramTest() override {
    platform::InstallAudioBackend(nullptr);
    platform::InstallDeviceBackend(nullptr);
    platform::InstallWindowBackend(nullptr);
  }

  platform::DebugOutputCapture debugLines;
  platform::ManualClock clock;
  platform::ScopedClock useClock;
  platform::HeadlessWindow* window = nullptr;
  std::shared_ptr<platform::HeadlessDeviceBackend> device =
      std::make_shared<platform::HeadlessDeviceBackend>();
  std::shared_ptr<platform::HeadlessAudioBackend> audio =
      std::make_shared<platform::HeadlessAudioBackend>();
};
