#pragma once
// Where a device's frames go and what the outside world decides for it:
// whether a device can be made at all, the display mode, when a device is
// lost, and how much video memory there is. The rasteriser is the same for
// every backend.
//
// Two backends exist. The window backend (software/) presents through the
// window service and never loses its device. The headless backend
// (headless/) keeps the presented frame for tests, and lets them refuse
// creation, lose the device and set a video-memory budget.

#include <cstdint>
#include <memory>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/VideoMemory.h"

namespace platform {

class DeviceBackend {
 public:
  DeviceBackend() = default;
  DeviceBackend(const DeviceBackend&) = delete;
  DeviceBackend& operator=(const DeviceBackend&) = delete;
  virtual ~DeviceBackend() = default;

  // Whether a Direct3D object can be made on this backend.
  virtual bool IsAvailable() const = 0;
  // The display the program runs on: Ok and the mode, or why it is unknown.
  virtual Result GetDisplayMode(DisplayMode* mode) = 0;
  // Asked before every device creation: Ok, or the reason the device cannot
  // be made now.
  virtual Result CanCreateDevice(const PresentParameters& params) = 0;

  // Device loss. Each device is stamped with LossEpoch() when it is made;
  // CooperativeLevel(stamp) says whether that device still works (Ok) or is
  // lost (DeviceLost, or DeviceNotReset once it may be re-created). A loss
  // moves the epoch on, so devices made after it work again.
  virtual uint64_t LossEpoch() const = 0;
  virtual Result CooperativeLevel(uint64_t deviceEpoch) const = 0;

  // The ledger every texture made on this backend reserves its bytes from.
  virtual std::shared_ptr<VideoMemory> Memory() = 0;

  // Shows a finished frame: `height` rows of `pitchBytes` bytes, pixels
  // 0xAARRGGBB (bytes B, G, R, A). The pixels are only valid during the call.
  virtual void Present(const uint32_t* pixels, int32_t width, int32_t height,
                       int32_t pitchBytes) = 0;
};

// The backend Direct3D::Create() uses: the one installed last, or else the
// window backend.
std::shared_ptr<DeviceBackend> CurrentDeviceBackend();
// Installs `backend`; null goes back to the window backend. Objects made on
// the previous backend keep it alive for as long as they live.
void InstallDeviceBackend(std::shared_ptr<DeviceBackend> backend);

}  // namespace platform
