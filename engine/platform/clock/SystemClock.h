#pragma once

#include "engine/platform/clock/Clock.h"

namespace platform {

// The real clock. The performance counter is std::chrono::steady_clock in
// nanoseconds (frequency 1 000 000 000), Milliseconds() is the same steady
// clock in milliseconds (on Linux: time since boot, as on the system the
// engine was first written for), and WallSeconds() is std::chrono::system_clock.
// Sleeping and waiting use real time. It holds no state.
class SystemClock final : public Clock {
 public:
  static constexpr std::int64_t kTicksPerSecond = 1'000'000'000;

  SystemClock() = default;

  std::int64_t PerformanceCounter() override;
  std::int64_t PerformanceFrequency() override;
  std::uint32_t Milliseconds() override;
  std::int64_t WallSeconds() override;
  void Sleep(std::uint32_t ms) override;
  bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
               std::uint32_t timeoutMs, const std::function<bool()>& ready) override;
};

}  // namespace platform
