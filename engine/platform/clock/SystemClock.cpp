#include "engine/platform/clock/SystemClock.h"

#include <cassert>
#include <chrono>
#include <thread>

namespace platform {

namespace {

using std::chrono::steady_clock;
using std::chrono::system_clock;

static_assert(steady_clock::is_steady);

}  // namespace

std::int64_t SystemClock::PerformanceCounter() {
  return std::chrono::duration_cast<std::chrono::nanoseconds>(
             steady_clock::now().time_since_epoch())
      .count();
}

std::int64_t SystemClock::PerformanceFrequency() { return kTicksPerSecond; }

std::uint32_t SystemClock::Milliseconds() {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now().time_since_epoch());
  // Truncating to 32 bits is the wrap-around the callers expect.
  return static_cast<std::uint32_t>(ms.count());
}

std::int64_t SystemClock::WallSeconds() {
  return std::chrono::floor<std::chrono::seconds>(system_clock::now().time_since_epoch()).count();
}

void SystemClock::Sleep(std::uint32_t ms) {
  if (ms == 0) {
    std::this_thread::yield();
    return;
  }
  if (ms == kInfinite) {
    for (;;) std::this_thread::sleep_for(std::chrono::hours(24));
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

bool SystemClock::WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          std::uint32_t timeoutMs, const std::function<bool()>& ready) {
  assert(lock.owns_lock());
  if (timeoutMs == kInfinite) {
    cv.wait(lock, ready);
    return true;
  }
  // libstdc++ measures wait_for on the steady clock, so changes to the wall
  // clock do not stretch or cut short the timeout.
  return cv.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready);
}

}  // namespace platform
