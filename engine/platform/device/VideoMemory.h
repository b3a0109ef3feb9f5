#pragma once
// The ledger of video memory one backend hands out to textures. Every
// texture reserves its bytes when it is created and gives them back when it
// is destroyed, so a budget set by a test runs out and recovers exactly as
// textures come and go.
//
// Used from the window's thread only, like the rest of the device.

#include <cstdint>
#include <limits>

namespace platform {

class VideoMemory {
 public:
  static constexpr uint64_t kUnlimited = std::numeric_limits<uint64_t>::max();

  VideoMemory() = default;
  VideoMemory(const VideoMemory&) = delete;
  VideoMemory& operator=(const VideoMemory&) = delete;

  // A budget below what is in use refuses new reservations until enough
  // is released; nothing already reserved is taken away.
  void SetBudget(uint64_t bytes) { budget = bytes; }
  uint64_t Budget() const { return budget; }
  uint64_t InUse() const { return inUse; }

  // Takes `bytes` when they fit in the budget (true); otherwise takes
  // nothing (false).
  bool Reserve(uint64_t bytes);
  // Gives back bytes taken by Reserve.
  void Release(uint64_t bytes);

 private:
  uint64_t budget = kUnlimited;
  uint64_t inUse = 0;
};

}  // namespace platform
