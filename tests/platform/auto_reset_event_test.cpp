// The auto-reset event, on the manual clock: timeouts pass only when the test
// advances time, and the clock's waiter count tells when a thread is blocked.

#include <gtest/gtest.h>

#include <atomic>
#include <future>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/threads/AutoResetEvent.h"
#include "tests/platform/Finish.h"

namespace {

using platform::AutoResetEvent;
using platform::kInfinite;

class AutoResetEventTest : public ::testing::Test {
 protected:
  std::future<bool> WaitInBackground(std::uint32_t timeoutMs) {
    return std::async(std::launch::async, [this, timeoutMs] { return event_.Wait(timeoutMs); });
  }

  // Joins a waiter; should it hang, a day's advance and a signal free it.
  bool Finish(std::future<bool>& waiter) {
    return platform::testing::Finish(waiter, [this] {
      clock_.Advance(24 * 3600 * 1000);
      event_.Set();
    });
  }

  platform::ManualClock clock_{/*initialTicks=*/5'000'000};
  platform::ScopedClock useClock_{clock_};
  AutoResetEvent event_;
};

TEST_F(AutoResetEventTest, ASignalLetsExactlyOneWaitThroughAndDoesNotAddUp) {
  EXPECT_FALSE(event_.Wait(0));
  event_.Set();
  event_.Set();
  EXPECT_TRUE(event_.Wait(0));
  EXPECT_FALSE(event_.Wait(0));

  event_.Set();
  EXPECT_TRUE(event_.Wait(kInfinite));  // signalled: returns without blocking
  EXPECT_EQ(clock_.BlockedWaiters(), 0u);

  AutoResetEvent initiallySet(/*initiallySignalled=*/true);
  initiallySet.Reset();
  EXPECT_FALSE(initiallySet.Wait(0));
  AutoResetEvent stillSet(/*initiallySignalled=*/true);
  EXPECT_TRUE(stillSet.Wait(0));
}

TEST_F(AutoResetEventTest, TimesOutOnlyWhenTheClockReachesTheTimeout) {
  auto waiter = WaitInBackground(20);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));

  EXPECT_EQ(clock_.Advance(19), 0u);
  EXPECT_EQ(clock_.BlockedWaiters(), 1u);

  EXPECT_EQ(clock_.Advance(1), 1u);
  EXPECT_FALSE(Finish(waiter));
  EXPECT_FALSE(event_.Wait(0));
}

TEST_F(AutoResetEventTest, SetWakesATimedWaiterBeforeItsTimeout) {
  auto waiter = WaitInBackground(20);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));
  EXPECT_EQ(clock_.Advance(10), 0u);

  event_.Set();
  EXPECT_TRUE(Finish(waiter));
  EXPECT_FALSE(event_.Wait(0)) << "the woken waiter consumes the signal";
}

TEST_F(AutoResetEventTest, SetReleasesOneOfTwoWaitersAndTheOtherKeepsItsTimeout) {
  auto first = WaitInBackground(50);
  auto second = WaitInBackground(50);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(2));

  event_.Set();
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));
  EXPECT_EQ(clock_.Advance(49), 0u);
  EXPECT_EQ(clock_.BlockedWaiters(), 1u);

  EXPECT_EQ(clock_.Advance(1), 1u);
  const bool firstResult = Finish(first);
  const bool secondResult = Finish(second);
  EXPECT_NE(firstResult, secondResult) << "exactly one waiter gets the signal";
}

TEST_F(AutoResetEventTest, AnInfiniteWaitOutlastsAnyAdvance) {
  auto waiter = WaitInBackground(kInfinite);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));

  EXPECT_EQ(clock_.Advance(1'000'000'000), 0u);
  EXPECT_EQ(clock_.BlockedWaiters(), 1u);

  event_.Set();
  EXPECT_TRUE(Finish(waiter));
}

TEST_F(AutoResetEventTest, AWorkerLoopWakesOnEveryTimeoutAndOnASet) {
  // The shape of the engine's worker threads: wake on every signal, or every
  // 20 ms when nothing happens. The completed-wait count tells when the
  // worker has reacted to an Advance, so the next round cannot mistake the
  // old wait for the new one.
  std::atomic<int> signals{0}, timeouts{0};
  std::atomic<bool> stop{false};
  auto worker = std::async(std::launch::async, [&] {
    while (!stop) (event_.Wait(20) ? signals : timeouts)++;
  });
  // Lets the worker go even when an assertion below ends the test early.
  struct Release {
    std::atomic<bool>& stop;
    AutoResetEvent& event;
    ~Release() {
      stop = true;
      event.Set();
    }
  } release{stop, event_};

  for (int round = 0; round < 3; ++round) {
    ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));
    const std::uint64_t completed = clock_.CompletedWaits();
    EXPECT_EQ(clock_.Advance(19), 0u);
    EXPECT_EQ(clock_.Advance(1), 1u);
    ASSERT_TRUE(clock_.WaitForCompletedWaits(completed + 1));
  }
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));
  stop = true;
  event_.Set();
  platform::testing::Finish(worker, [&] { clock_.Advance(20); });
  EXPECT_EQ(timeouts, 3);
  EXPECT_EQ(signals, 1);
}

}  // namespace
