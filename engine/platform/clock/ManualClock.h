#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <vector>

#include "engine/platform/clock/Clock.h"

namespace platform {

// A clock for tests: time stands still until the test moves it. Sleep and
// timed waits block the calling thread until another thread advances the
// clock to their deadline (or, for a wait, until the waited-for condition is
// signalled), so a long timeline runs as fast as the code under test and no
// test ever waits in real time.
//
// A test learns what background threads are doing from two counts, each with
// a blocking (condition-variable) wait: the threads blocked in Sleep or
// WaitFor right now, and the waits completed so far. A thread that loops
// "wait 20 ms, work, wait again" has reacted to an Advance once the completed
// count has moved on, and is idle again once it is blocked again.
//
// The counter runs at 1 000 000 ticks per second, so one millisecond is 1000
// ticks. Milliseconds() is the counter in whole milliseconds, truncated to 32
// bits. The wall clock moves together with the counter and can also be set.
//
// Thread-safe. Reading the time never takes a lock, so it is safe to read
// the clock while holding any mutex. Advance takes the mutex of every expired
// waiter to wake it, so it must not be called while holding a mutex that a
// thread waits with on this clock.
class ManualClock final : public Clock {
 public:
  static constexpr std::int64_t kTicksPerSecond = 1'000'000;
  static constexpr std::int64_t kTicksPerMillisecond = kTicksPerSecond / 1000;
  // 2000-01-01 00:00:00 UTC: a fixed, recognisable start for the wall clock.
  static constexpr std::int64_t kDefaultWallSeconds = 946'684'800;

  // `initialTicks` places the counter (and with it Milliseconds()) anywhere,
  // e.g. just before the 32-bit millisecond wrap.
  explicit ManualClock(std::int64_t initialTicks = 0,
                       std::int64_t wallSeconds = kDefaultWallSeconds);
  // Every waiter must have returned before the clock goes away.
  ~ManualClock() override;

  std::int64_t PerformanceCounter() override;
  std::int64_t PerformanceFrequency() override;
  std::uint32_t Milliseconds() override;
  std::int64_t WallSeconds() override;
  void Sleep(std::uint32_t ms) override;
  bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
               std::uint32_t timeoutMs, const std::function<bool()>& ready) override;

  // Moves the counter and the wall clock forward (never backward: a negative
  // amount is a programmer error) and wakes every blocked waiter whose
  // deadline has been reached. Returns how many blocked waiters have reached
  // their deadline; each of them is on its way out of its wait, although it
  // may not have left yet.
  std::size_t Advance(std::int64_t ms);
  std::size_t AdvanceTicks(std::int64_t ticks);

  // Sets the wall clock, leaving the counter, and every deadline measured on
  // it, alone.
  void SetWallSeconds(std::int64_t seconds);

  // The number of threads currently blocked in Sleep or WaitFor.
  std::size_t BlockedWaiters() const;

  // Blocks until exactly `count` threads are blocked in Sleep or WaitFor.
  // `realTimeLimit` only turns a hang in the code under test into a failure:
  // returns false if the count was not reached within that much real time.
  bool WaitForBlockedWaiters(std::size_t count,
                             std::chrono::milliseconds realTimeLimit = std::chrono::seconds(10));

  // The number of Sleep and WaitFor calls that have blocked and since
  // returned (calls that return without blocking do not count).
  std::uint64_t CompletedWaits() const;

  // Blocks until at least `count` waits have completed; `realTimeLimit` as
  // for WaitForBlockedWaiters.
  bool WaitForCompletedWaits(std::uint64_t count,
                             std::chrono::milliseconds realTimeLimit = std::chrono::seconds(10));

 private:
  // One blocked thread: what to lock and notify to wake it, and when.
  struct Waiter {
    std::mutex* mutex;
    std::condition_variable* cv;
    std::int64_t deadline;  // in ticks
  };

  void Register(Waiter* waiter);
  void Unregister(Waiter* waiter);

  std::atomic<std::int64_t> ticks_;
  std::atomic<std::int64_t> wallTicks_;  // microseconds since the epoch

  // Guards waiters_ and completedWaits_, and serialises writers of the time.
  mutable std::mutex mutex_;
  std::condition_variable waitersChanged_;
  std::vector<Waiter*> waiters_;
  std::uint64_t completedWaits_ = 0;
};

}  // namespace platform
