#include "engine/platform/threads/AutoResetEvent.h"

#include "engine/platform/clock/CurrentClock.h"

namespace platform {

AutoResetEvent::AutoResetEvent(bool initiallySignalled) : signalled_(initiallySignalled) {}

void AutoResetEvent::Set() {
  const std::lock_guard guard(mutex_);
  signalled_ = true;
  cv_.notify_one();
}

void AutoResetEvent::Reset() {
  const std::lock_guard guard(mutex_);
  signalled_ = false;
}

bool AutoResetEvent::Wait(std::uint32_t timeoutMs) {
  std::unique_lock lock(mutex_);
  // The signal is consumed in the same locked step that sees it, so exactly
  // one waiter takes each signal.
  return GetClock().WaitFor(lock, cv_, timeoutMs, [this] {
    if (!signalled_) return false;
    signalled_ = false;
    return true;
  });
}

}  // namespace platform
