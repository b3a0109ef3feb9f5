#include "engine/platform/device/VideoMemory.h"

#include <cassert>

namespace platform {

bool VideoMemory::Reserve(uint64_t bytes) {
  if (inUse > budget || bytes > budget - inUse) return false;
  inUse += bytes;
  return true;
}

void VideoMemory::Release(uint64_t bytes) {
  assert(bytes <= inUse);
  inUse -= bytes;
}

}  // namespace platform
