#include "engine/platform/clock/ManualClock.h"

#include <algorithm>
#include <cassert>
#include <limits>

namespace platform {

namespace {

constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

// Division that rounds toward minus infinity, so that one microsecond before
// the epoch is second -1, not second 0.
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor < 0) ? quotient - 1 : quotient;
}

}  // namespace

ManualClock::ManualClock(std::int64_t initialTicks, std::int64_t wallSeconds)
    : ticks_(initialTicks), wallTicks_(wallSeconds * kTicksPerSecond) {}

ManualClock::~ManualClock() {
  const std::lock_guard guard(mutex_);
  assert(waiters_.empty() && "a thread is still waiting on a ManualClock being destroyed");
}

std::int64_t ManualClock::PerformanceCounter() { return ticks_.load(); }

std::int64_t ManualClock::PerformanceFrequency() { return kTicksPerSecond; }

std::uint32_t ManualClock::Milliseconds() {
  return static_cast<std::uint32_t>(FloorDiv(ticks_.load(), kTicksPerMillisecond));
}

std::int64_t ManualClock::WallSeconds() { return FloorDiv(wallTicks_.load(), kTicksPerSecond); }

void ManualClock::Sleep(std::uint32_t ms) {
  // A sleep is a wait for something that never happens.
  std::mutex mutex;
  std::condition_variable cv;
  std::unique_lock lock(mutex);
  WaitFor(lock, cv, ms, [] { return false; });
}

bool ManualClock::WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                          std::uint32_t timeoutMs, const std::function<bool()>& ready) {
  assert(lock.owns_lock());
  if (ready()) return true;
  if (timeoutMs == 0) return false;

  Waiter waiter{lock.mutex(), &cv,
                timeoutMs == kInfinite
                    ? kNever
                    : ticks_.load() + std::int64_t{timeoutMs} * kTicksPerMillisecond};
  const auto expired = [&] { return ticks_.load() >= waiter.deadline; };

  // Lock order is clock mutex, then the caller's mutex (Advance wakes waiters
  // that way), so the caller's lock is released around registering and
  // unregistering. The caller sees that only as a spurious wake-up; the
  // outcome is decided under the lock, by `ready` itself.
  lock.unlock();
  Register(&waiter);
  lock.lock();
  bool signalled = false;
  for (;;) {
    if (ready()) {
      signalled = true;
      break;
    }
    if (expired()) break;
    // Advance stores the new time before it takes our mutex to notify, so
    // between the check above and cv.wait (which releases the mutex
    // atomically) no wake-up can be lost.
    cv.wait(lock);
  }
  lock.unlock();
  Unregister(&waiter);
  lock.lock();
  return signalled;
}

std::size_t ManualClock::Advance(std::int64_t ms) {
  return AdvanceTicks(ms * kTicksPerMillisecond);
}

std::size_t ManualClock::AdvanceTicks(std::int64_t ticks) {
  assert(ticks >= 0 && "a ManualClock never goes backwards");
  const std::lock_guard guard(mutex_);
  const std::int64_t now = ticks_.load() + ticks;
  ticks_.store(now);
  wallTicks_.fetch_add(ticks);

  std::size_t reached = 0;
  for (Waiter* waiter : waiters_) {
    if (waiter->deadline > now) continue;
    ++reached;
    // Taking the waiter's mutex guarantees it is either inside cv.wait (and
    // gets this notification) or has not yet checked the time (and will see
    // the new value).
    const std::lock_guard waiterGuard(*waiter->mutex);
    waiter->cv->notify_all();
  }
  return reached;
}

void ManualClock::SetWallSeconds(std::int64_t seconds) {
  const std::lock_guard guard(mutex_);
  wallTicks_.store(seconds * kTicksPerSecond);
}

std::size_t ManualClock::BlockedWaiters() const {
  const std::lock_guard guard(mutex_);
  return waiters_.size();
}

bool ManualClock::WaitForBlockedWaiters(std::size_t count,
                                        std::chrono::milliseconds realTimeLimit) {
  std::unique_lock lock(mutex_);
  return waitersChanged_.wait_for(lock, realTimeLimit, [&] { return waiters_.size() == count; });
}

std::uint64_t ManualClock::CompletedWaits() const {
  const std::lock_guard guard(mutex_);
  return completedWaits_;
}

bool ManualClock::WaitForCompletedWaits(std::uint64_t count,
                                        std::chrono::milliseconds realTimeLimit) {
  std::unique_lock lock(mutex_);
  return waitersChanged_.wait_for(lock, realTimeLimit, [&] { return completedWaits_ >= count; });
}

void ManualClock::Register(Waiter* waiter) {
  const std::lock_guard guard(mutex_);
  waiters_.push_back(waiter);
  waitersChanged_.notify_all();
}

void ManualClock::Unregister(Waiter* waiter) {
  const std::lock_guard guard(mutex_);
  const auto it = std::find(waiters_.begin(), waiters_.end(), waiter);
  assert(it != waiters_.end());
  waiters_.erase(it);
  ++completedWaits_;
  waitersChanged_.notify_all();
}

}  // namespace platform
