#pragma once
// The entry point of the device service: made once at start-up on the
// current backend, it reports the display mode and makes devices, and it
// is how a lost device is replaced.

#include <cstdint>
#include <memory>

#include "engine/platform/device/Device.h"
#include "engine/platform/device/DeviceBackend.h"
#include "engine/platform/device/DeviceTypes.h"

namespace platform {

class Direct3D {
  struct Key {};

 public:
  // On the current backend (CurrentDeviceBackend()), or on `backend`. Null
  // when the backend cannot make one.
  static std::unique_ptr<Direct3D> Create();
  static std::unique_ptr<Direct3D> Create(std::shared_ptr<DeviceBackend> backend);

  explicit Direct3D(Key, std::shared_ptr<DeviceBackend> backend);
  Direct3D(const Direct3D&) = delete;
  Direct3D& operator=(const Direct3D&) = delete;

  // Adapter 0 is the only one. Ok and the display's mode; NotAvailable when
  // it is unknown; InvalidCall for another adapter.
  Result GetAdapterDisplayMode(uint32_t adapter, DisplayMode* mode) const;

  // A new device on adapter 0 with a back buffer of params'
  // BackBufferWidth x BackBufferHeight (1 to Device::kMaxBackBufferSize
  // each), format A8R8G8B8 or X8R8G8B8, all pixels zero, the viewport the
  // whole back buffer and every state at its default. InvalidCall for other
  // parameters or adapters; otherwise the backend's refusal (NotAvailable
  // when there is no window, DeviceLost, ...). Earlier devices are not
  // touched: the caller releases the one it replaces.
  Result CreateDevice(uint32_t adapter, const PresentParameters& params,
                      std::unique_ptr<Device>* device);

  const std::shared_ptr<DeviceBackend>& Backend() const { return backend; }

 private:
  std::shared_ptr<DeviceBackend> backend;
};

}  // namespace platform
