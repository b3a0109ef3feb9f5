#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>

namespace platform {

// A timeout that never expires, for Sleep and for waits.
inline constexpr std::uint32_t kInfinite = 0xFFFFFFFFu;

// The source of every time value and every timed wait in the engine. The
// real backend reads the system clocks; the manual backend lets a test move
// time by hand, so nothing in the engine may measure or wait on time except
// through a Clock (usually the process-wide one from CurrentClock.h).
//
// Implementations are thread-safe: every member may be called from any thread.
class Clock {
 public:
  Clock() = default;
  Clock(const Clock&) = delete;
  Clock& operator=(const Clock&) = delete;
  virtual ~Clock() = default;

  // High-resolution monotonic counter, in ticks of PerformanceFrequency().
  virtual std::int64_t PerformanceCounter() = 0;
  // Ticks per second of PerformanceCounter(); constant for the clock's life.
  virtual std::int64_t PerformanceFrequency() = 0;

  // Monotonic milliseconds that wrap around at 2^32; compare two readings by
  // unsigned subtraction, never with < or >.
  virtual std::uint32_t Milliseconds() = 0;

  // Wall-clock time in whole seconds since 1970-01-01 00:00:00 UTC.
  virtual std::int64_t WallSeconds() = 0;

  // Blocks the calling thread for `ms` milliseconds of this clock's time.
  // Sleep(0) only gives up the rest of the time slice; Sleep(kInfinite) never
  // returns.
  virtual void Sleep(std::uint32_t ms) = 0;

  // The building block of timed synchronisation objects: waits on `cv`, with
  // `lock` held by the caller on entry, until `ready()` returns true or
  // `timeoutMs` milliseconds of this clock's time have passed (kInfinite: no
  // timeout). `ready` is only ever called with `lock` held, any number of
  // times; the first call that returns true ends the wait, so `ready` may
  // claim what it found (an auto-reset event consumes its signal there). Like
  // std::condition_variable::wait_for, WaitFor may release and re-take `lock`
  // while it waits; it returns with `lock` held. Returns true if `ready`
  // returned true, false on timeout. Whoever makes `ready` true must do so
  // under the same mutex and then notify `cv`.
  virtual bool WaitFor(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                       std::uint32_t timeoutMs, const std::function<bool()>& ready) = 0;
};

}  // namespace platform
