#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "engine/platform/clock/Clock.h"

namespace platform {

// An event that lets one waiter through per Set, like a Windows auto-reset
// event. Timeouts are measured on the current platform clock, so under a
// ManualClock a wait times out only when the test advances time.
// Thread-safe; not copyable or movable (waiters refer to it).
class AutoResetEvent {
 public:
  explicit AutoResetEvent(bool initiallySignalled = false);
  AutoResetEvent(const AutoResetEvent&) = delete;
  AutoResetEvent& operator=(const AutoResetEvent&) = delete;

  // If threads are waiting, releases exactly one of them. Otherwise the
  // event stays signalled until the next Wait consumes it. Setting an event
  // that is already signalled changes nothing: signals do not add up.
  void Set();

  // Makes the event non-signalled without waking anyone.
  void Reset();

  // Returns true at once, consuming the signal, if the event is signalled.
  // Otherwise blocks until a Set releases this thread (true) or `timeoutMs`
  // milliseconds pass on the clock that was current when the wait began
  // (false). Wait(0) only polls; Wait(kInfinite) waits for a Set however long
  // it takes.
  bool Wait(std::uint32_t timeoutMs = kInfinite);

 private:
  std::mutex mutex_;
  std::condition_variable cv_;
  bool signalled_;
};

}  // namespace platform
