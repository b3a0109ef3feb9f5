#include "engine/platform/clock/CurrentClock.h"

#include <atomic>

#include "engine/platform/clock/SystemClock.h"

namespace platform {

namespace {

// SystemClock holds no state, so using it during static destruction is
// harmless.
SystemClock& RealClock() {
  static SystemClock clock;
  return clock;
}

// nullptr means the real clock.
std::atomic<Clock*> installed{nullptr};

}  // namespace

Clock& GetClock() {
  Clock* clock = installed.load(std::memory_order_acquire);
  return clock != nullptr ? *clock : RealClock();
}

Clock* SetClock(Clock* clock) { return installed.exchange(clock, std::memory_order_acq_rel); }

std::int64_t QueryPerformanceCounter() { return GetClock().PerformanceCounter(); }

std::int64_t QueryPerformanceFrequency() { return GetClock().PerformanceFrequency(); }

std::uint32_t timeGetTime() { return GetClock().Milliseconds(); }

std::int64_t CurrentTime() { return GetClock().WallSeconds(); }

void Sleep(std::uint32_t ms) { GetClock().Sleep(ms); }

}  // namespace platform
