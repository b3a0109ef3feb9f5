#pragma once
// The device backend of the real program: frames go to the window service,
// which shows them on the desktop (scaled and letterboxed when full screen).
// A software device is never lost and its video memory is the process's
// memory, so there is no budget.

#include "engine/platform/device/DeviceBackend.h"

namespace platform {

class WindowDeviceBackend : public DeviceBackend {
 public:
  bool IsAvailable() const override { return true; }
  // The desktop mode of the first display, as SDL's video subsystem reports
  // it; NotAvailable when there is no display.
  Result GetDisplayMode(DisplayMode* mode) override;
  // A device needs the window to be open: it is where frames are shown.
  Result CanCreateDevice(const PresentParameters& params) override;
  uint64_t LossEpoch() const override { return 0; }
  Result CooperativeLevel(uint64_t) const override { return Result::Ok; }
  std::shared_ptr<VideoMemory> Memory() override { return memory; }
  void Present(const uint32_t* pixels, int32_t width, int32_t height, int32_t pitchBytes) override;

 private:
  std::shared_ptr<VideoMemory> memory = std::make_shared<VideoMemory>();
};

}  // namespace platform
