#pragma once
// A texture of the device: one level of power-of-two width and height,
// 32 bits per texel (A8R8G8B8 or X8R8G8B8), kept in memory the device's
// backend counts as video memory. Made by Device::CreateTexture and shared:
// the device holds a reference while the texture is bound to stage 0, so a
// bound texture keeps its bytes until it is unbound or replaced.
//
// New texels are zero bytes (transparent black).

#include <cstdint>
#include <memory>

#include "engine/platform/device/DeviceTypes.h"
#include "engine/platform/device/VideoMemory.h"

namespace platform {

class Texture {
  struct Key {};  // only the device makes textures

 public:
  static constexpr uint32_t kMaxSize = 4096;

  // Reserves the bytes from `memory` and allocates the texels. Returns null
  // when the budget refuses them or the allocation fails.
  static std::shared_ptr<Texture> Create(uint32_t width, uint32_t height, Format format,
                                         std::shared_ptr<VideoMemory> memory,
                                         uint64_t deviceSerial);
  Texture(Key, uint32_t width, uint32_t height, Format format, std::shared_ptr<VideoMemory> memory,
          uint64_t deviceSerial, std::unique_ptr<uint32_t[]> texels);
  Texture(const Texture&) = delete;
  Texture& operator=(const Texture&) = delete;
  ~Texture();

  uint32_t Width() const { return width; }
  uint32_t Height() const { return height; }
  Format GetFormat() const { return format; }
  // Only level 0 exists.
  uint32_t LevelCount() const { return 1; }
  // Bytes this texture takes from the video-memory budget.
  uint64_t Bytes() const { return uint64_t{width} * height * 4; }

  // Level 0: Ok and its format and size. Any other level: InvalidCall.
  Result GetLevelDesc(uint32_t level, SurfaceDesc* desc) const;
  // Level 0 while not locked: Ok, the first texel and the pitch in bytes;
  // the texels may be read and written until UnlockRect. Already locked or
  // another level: InvalidCall. The lock works while the device is lost.
  Result LockRect(uint32_t level, LockedRect* locked);
  // Level 0 while locked: Ok. Otherwise InvalidCall.
  Result UnlockRect(uint32_t level);
  bool IsLocked() const { return locked; }

  // For the rasteriser: texels row after row, PitchTexels() apart.
  const uint32_t* Texels() const { return texels.get(); }
  uint32_t PitchTexels() const { return width; }
  // The device that made this texture; no other device draws it.
  uint64_t DeviceSerial() const { return deviceSerial; }

 private:
  uint32_t width;
  uint32_t height;
  Format format;
  std::shared_ptr<VideoMemory> memory;
  uint64_t deviceSerial;
  std::unique_ptr<uint32_t[]> texels;
  bool locked = false;
};

}  // namespace platform
