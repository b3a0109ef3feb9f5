#include "engine/platform/device/headless/HeadlessDeviceBackend.h"

#include <cassert>
#include <cstring>

#include "engine/platform/device/headless/FramePng.h"

namespace platform {

void HeadlessDeviceBackend::LoseDevices(Result level) {
  assert(level == Result::DeviceLost || level == Result::DeviceNotReset);
  lostLevel = level;
  lostBefore = ++epoch;
}

Result HeadlessDeviceBackend::GetDisplayMode(DisplayMode* mode) {
  if (!displayModeAvailable) return Result::NotAvailable;
  *mode = kDisplayMode;
  return Result::Ok;
}

Result HeadlessDeviceBackend::CanCreateDevice(const PresentParameters&) {
  if (creationFailures > 0) {
    --creationFailures;
    return Result::NotAvailable;
  }
  return Result::Ok;
}

Result HeadlessDeviceBackend::CooperativeLevel(uint64_t deviceEpoch) const {
  return deviceEpoch < lostBefore ? lostLevel : Result::Ok;
}

void HeadlessDeviceBackend::Present(const uint32_t* pixels, int32_t frameWidth, int32_t frameHeight,
                                    int32_t pitchBytes) {
  ++presents;
  width = frameWidth;
  height = frameHeight;
  frame.resize(static_cast<size_t>(width) * height);
  const size_t rowBytes = static_cast<size_t>(width) * sizeof(uint32_t);
  if (static_cast<size_t>(pitchBytes) == rowBytes) {
    std::memcpy(frame.data(), pixels, rowBytes * height);
    return;
  }
  const auto* rows = reinterpret_cast<const uint8_t*>(pixels);
  for (int32_t y = 0; y < height; ++y) {
    std::memcpy(frame.data() + static_cast<size_t>(y) * width,
                rows + static_cast<size_t>(y) * pitchBytes, rowBytes);
  }
}

uint32_t HeadlessDeviceBackend::PixelAt(int32_t x, int32_t y) const {
  assert(x >= 0 && x < width && y >= 0 && y < height);
  return frame[static_cast<size_t>(y) * width + x];
}

bool HeadlessDeviceBackend::SaveFramePng(const std::string& path, std::string* error) const {
  if (frame.empty()) {
    if (error) *error = "no frame has been presented";
    return false;
  }
  return WriteFramePng(path, frame.data(), width, height, width * 4, error);
}

}  // namespace platform
