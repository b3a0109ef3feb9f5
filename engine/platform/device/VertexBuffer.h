#pragma once
// A vertex buffer of the device in system memory: bytes the caller writes
// TransformedVertex records into between Lock and Unlock, and that
// DrawPrimitive reads from when the buffer is the bound stream. Made by
// Device::CreateVertexBuffer; the device holds a reference while it is
// bound. It does not count against video memory.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "engine/platform/device/DeviceTypes.h"

namespace platform {

class VertexBuffer {
  struct Key {};  // only the device makes vertex buffers

 public:
  static std::shared_ptr<VertexBuffer> Create(uint32_t lengthBytes, uint32_t fvf,
                                              uint64_t deviceSerial);
  VertexBuffer(Key, uint32_t lengthBytes, uint32_t fvf, uint64_t deviceSerial);
  VertexBuffer(const VertexBuffer&) = delete;
  VertexBuffer& operator=(const VertexBuffer&) = delete;

  uint32_t Length() const { return length; }
  uint32_t Fvf() const { return fvf; }

  // Bytes [offset, offset + size) while not locked (size 0: up to the end):
  // Ok and where they start, suitably aligned for TransformedVertex when the
  // offset is a multiple of 4. Already locked, or a range past the end:
  // InvalidCall. The lock works while the device is lost.
  Result Lock(uint32_t offsetBytes, uint32_t sizeBytes, void** data);
  // While locked: Ok. Otherwise InvalidCall.
  Result Unlock();
  bool IsLocked() const { return locked; }

  // For the device: the stored bytes.
  const std::byte* Bytes() const { return bytes.get(); }
  uint64_t DeviceSerial() const { return deviceSerial; }

 private:
  uint32_t length;
  uint32_t fvf;
  uint64_t deviceSerial;
  std::unique_ptr<std::byte[]> bytes;
  bool locked = false;
};

}  // namespace platform
