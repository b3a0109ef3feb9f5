#pragma once

#include <cstdint>

#include "engine/platform/clock/Clock.h"

namespace platform {

// The process-wide clock that the whole engine reads. It is the real
// SystemClock unless a test has installed another one.
//
// Installing a clock is meant for test set-up: the installed clock must
// outlive every use of it, and a wait uses the clock that was current when it
// began.
Clock& GetClock();
// Installs `clock` (nullptr: back to the real clock) and returns the clock
// installed before, nullptr if that was the real one. Thread-safe.
Clock* SetClock(Clock* clock);

// Installs a clock for the lifetime of the object and then puts back
// whichever was installed before. Scopes must end in reverse order.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock) : previous_(SetClock(&clock)) {}
  ~ScopedClock() { SetClock(previous_); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;

 private:
  Clock* previous_;
};

// The engine's time functions, all on the current clock.

// Counter ticks; divide by QueryPerformanceFrequency() for seconds.
std::int64_t QueryPerformanceCounter();
std::int64_t QueryPerformanceFrequency();
// Milliseconds, wrapping at 2^32.
std::uint32_t timeGetTime();
// Wall-clock seconds since 1970-01-01 00:00:00 UTC.
std::int64_t CurrentTime();
// Sleep(0) yields; Sleep(kInfinite) never returns.
void Sleep(std::uint32_t ms);

}  // namespace platform
