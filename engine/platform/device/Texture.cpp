#include "engine/platform/device/Texture.h"

#include <new>

namespace platform {

std::shared_ptr<Texture> Texture::Create(uint32_t width, uint32_t height, Format format,
                                         std::shared_ptr<VideoMemory> memory,
                                         uint64_t deviceSerial) {
  const uint64_t bytes = uint64_t{width} * height * 4;
  if (!memory->Reserve(bytes)) return nullptr;
  try {
    auto texels = std::make_unique<uint32_t[]>(size_t{width} * height);
    return std::make_shared<Texture>(Key{}, width, height, format, std::move(memory), deviceSerial,
                                     std::move(texels));
  } catch (const std::bad_alloc&) {
    // The texture never existed, so its destructor will not give the bytes
    // back.
    memory->Release(bytes);
    return nullptr;
  }
}

Texture::Texture(Key, uint32_t width, uint32_t height, Format format,
                 std::shared_ptr<VideoMemory> memory, uint64_t deviceSerial,
                 std::unique_ptr<uint32_t[]> texels)
    : width(width),
      height(height),
      format(format),
      memory(std::move(memory)),
      deviceSerial(deviceSerial),
      texels(std::move(texels)) {}

Texture::~Texture() { memory->Release(Bytes()); }

Result Texture::GetLevelDesc(uint32_t level, SurfaceDesc* desc) const {
  if (level != 0) return Result::InvalidCall;
  *desc = SurfaceDesc{format, width, height};
  return Result::Ok;
}

Result Texture::LockRect(uint32_t level, LockedRect* rect) {
  if (level != 0 || locked) return Result::InvalidCall;
  locked = true;
  rect->Pitch = static_cast<int32_t>(width * 4);
  rect->pBits = texels.get();
  return Result::Ok;
}

Result Texture::UnlockRect(uint32_t level) {
  if (level != 0 || !locked) return Result::InvalidCall;
  locked = false;
  return Result::Ok;
}

}  // namespace platform
