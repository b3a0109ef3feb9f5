#include "engine/platform/device/VertexBuffer.h"

namespace platform {

std::shared_ptr<VertexBuffer> VertexBuffer::Create(uint32_t lengthBytes, uint32_t fvf,
                                                   uint64_t deviceSerial) {
  return std::make_shared<VertexBuffer>(Key{}, lengthBytes, fvf, deviceSerial);
}

VertexBuffer::VertexBuffer(Key, uint32_t lengthBytes, uint32_t fvf, uint64_t deviceSerial)
    : length(lengthBytes),
      fvf(fvf),
      deviceSerial(deviceSerial),
      bytes(std::make_unique<std::byte[]>(lengthBytes)) {}

Result VertexBuffer::Lock(uint32_t offsetBytes, uint32_t sizeBytes, void** data) {
  if (locked || offsetBytes > length) return Result::InvalidCall;
  if (sizeBytes > length - offsetBytes) return Result::InvalidCall;
  locked = true;
  *data = bytes.get() + offsetBytes;
  return Result::Ok;
}

Result VertexBuffer::Unlock() {
  if (!locked) return Result::InvalidCall;
  locked = false;
  return Result::Ok;
}

}  // namespace platform
