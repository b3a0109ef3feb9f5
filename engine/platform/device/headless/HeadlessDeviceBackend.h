#pragma once
// The device backend for tests. Nothing is shown: the last presented frame
// is kept, to be read pixel by pixel or saved as a PNG. The test decides
// what the outside world would: whether Direct3D, the display mode and new
// devices are available, when devices are lost, and how much video memory
// there is.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/device/DeviceBackend.h"

namespace platform {

class HeadlessDeviceBackend : public DeviceBackend {
 public:
  // The display mode it reports while available.
  static constexpr DisplayMode kDisplayMode{1024, 768, 60, Format::X8R8G8B8};

  // Failures the program must survive or report.
  void SetDirect3DAvailable(bool available) { direct3DAvailable = available; }
  void SetDisplayModeAvailable(bool available) { displayModeAvailable = available; }
  // The next `count` device creations fail with NotAvailable.
  void FailDeviceCreations(int count) { creationFailures = count; }

  // Every device made so far is lost from now on: its TestCooperativeLevel
  // reports `level` (DeviceLost, or DeviceNotReset for a loss that is
  // already over). Devices made afterwards work.
  void LoseDevices(Result level = Result::DeviceLost);

  // Texture creation past `bytes` in use reports OutOfVideoMemory.
  void SetVideoMemoryBudget(uint64_t bytes) { memory->SetBudget(bytes); }
  uint64_t VideoMemoryInUse() const { return memory->InUse(); }

  // The frames presented so far, and the last of them (empty before the
  // first): pixels 0xAARRGGBB, rows of FrameWidth() pixels.
  int32_t PresentCount() const { return presents; }
  int32_t FrameWidth() const { return width; }
  int32_t FrameHeight() const { return height; }
  const std::vector<uint32_t>& Frame() const { return frame; }
  uint32_t PixelAt(int32_t x, int32_t y) const;
  // Writes the last frame as an 8-bit RGB PNG (alpha dropped, as the window
  // does). false with a reason in `error` when there is no frame or the
  // file cannot be written.
  bool SaveFramePng(const std::string& path, std::string* error = nullptr) const;

  bool IsAvailable() const override { return direct3DAvailable; }
  Result GetDisplayMode(DisplayMode* mode) override;
  Result CanCreateDevice(const PresentParameters& params) override;
  uint64_t LossEpoch() const override { return epoch; }
  Result CooperativeLevel(uint64_t deviceEpoch) const override;
  std::shared_ptr<VideoMemory> Memory() override { return memory; }
  void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchBytes) override;

 private:
  bool direct3DAvailable = true;
  bool displayModeAvailable = true;
  int creationFailures = 0;
  // Devices stamped before lostBefore are lost and report lostLevel.
  uint64_t epoch = 0;
  uint64_t lostBefore = 0;
  Result lostLevel = Result::DeviceLost;
  std::shared_ptr<VideoMemory> memory = std::make_shared<VideoMemory>();
  int32_t presents = 0;
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> frame;
};

}  // namespace platform
