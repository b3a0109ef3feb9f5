#include "engine/platform/device/DeviceBackend.h"

#include "engine/platform/device/software/WindowDeviceBackend.h"

namespace platform {

namespace {

std::shared_ptr<DeviceBackend>& InstalledBackend() {
  static std::shared_ptr<DeviceBackend> backend;
  return backend;
}

}  // namespace

std::shared_ptr<DeviceBackend> CurrentDeviceBackend() {
  std::shared_ptr<DeviceBackend>& backend = InstalledBackend();
  if (!backend) backend = std::make_shared<WindowDeviceBackend>();
  return backend;
}

void InstallDeviceBackend(std::shared_ptr<DeviceBackend> backend) {
  InstalledBackend() = std::move(backend);
}

}  // namespace platform
