#include "engine/platform/device/Direct3D.h"

namespace platform {

std::unique_ptr<Direct3D> Direct3D::Create() { return Create(CurrentDeviceBackend()); }

std::unique_ptr<Direct3D> Direct3D::Create(std::shared_ptr<DeviceBackend> backend) {
  if (!backend || !backend->IsAvailable()) return nullptr;
  return std::make_unique<Direct3D>(Key{}, std::move(backend));
}

Direct3D::Direct3D(Key, std::shared_ptr<DeviceBackend> backend) : backend(std::move(backend)) {}

Result Direct3D::GetAdapterDisplayMode(uint32_t adapter, DisplayMode* mode) const {
  if (adapter != 0) return Result::InvalidCall;
  return backend->GetDisplayMode(mode);
}

Result Direct3D::CreateDevice(uint32_t adapter, const PresentParameters& params,
                              std::unique_ptr<Device>* device) {
  const bool size = params.BackBufferWidth >= 1 && params.BackBufferHeight >= 1 &&
                    params.BackBufferWidth <= Device::kMaxBackBufferSize &&
                    params.BackBufferHeight <= Device::kMaxBackBufferSize;
  const bool format =
      params.BackBufferFormat == Format::A8R8G8B8 || params.BackBufferFormat == Format::X8R8G8B8;
  if (adapter != 0 || !size || !format) return Result::InvalidCall;
  if (const Result allowed = backend->CanCreateDevice(params); allowed != Result::Ok) {
    return allowed;
  }
  *device = std::make_unique<Device>(Device::Key{}, backend, params);
  return Result::Ok;
}

}  // namespace platform
