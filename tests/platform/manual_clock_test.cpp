// The manual clock: readings, and threads that sleep on it. Background threads
// are std::async tasks; each test learns that a task is blocked from the
// clock's waiter count, never by sleeping.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <limits>

#include "engine/platform/clock/ManualClock.h"
#include "tests/platform/Finish.h"

namespace {

using platform::ManualClock;

// Starting well away from zero shows that deadlines are measured from the
// moment a wait begins.
constexpr std::int64_t kStartTicks = 123'456'789;

class ManualClockTest : public ::testing::Test {
 protected:
  // Runs Sleep(ms) on a thread of its own; `done` turns true when it returns.
  std::future<void> SleepInBackground(std::uint32_t ms, std::atomic<bool>& done) {
    return std::async(std::launch::async, [this, ms, &done] {
      clock_.Sleep(ms);
      done = true;
    });
  }

  // Joins a sleeper; should it hang, a day's advance frees it.
  void Finish(std::future<void>& sleeper) {
    platform::testing::Finish(sleeper, [this] { clock_.Advance(kOneDayMs); });
  }

  static constexpr std::int64_t kOneDayMs = 24 * 3600 * 1000;
  ManualClock clock_{kStartTicks};
};

TEST_F(ManualClockTest, TimeMovesOnlyWhenAdvanced) {
  EXPECT_EQ(clock_.PerformanceFrequency(), 1'000'000);
  EXPECT_EQ(clock_.PerformanceCounter(), kStartTicks);
  EXPECT_EQ(clock_.Milliseconds(), 123'456u);
  EXPECT_EQ(clock_.WallSeconds(), ManualClock::kDefaultWallSeconds);
  EXPECT_EQ(clock_.PerformanceCounter(), kStartTicks);

  clock_.Advance(1'500);
  EXPECT_EQ(clock_.PerformanceCounter(), kStartTicks + 1'500'000);
  EXPECT_EQ(clock_.Milliseconds(), 124'956u);
  EXPECT_EQ(clock_.WallSeconds(), ManualClock::kDefaultWallSeconds + 1);
  clock_.Advance(500);
  EXPECT_EQ(clock_.WallSeconds(), ManualClock::kDefaultWallSeconds + 2);

  // Setting the wall clock leaves the counter alone, and the wall clock then
  // moves on from the new value.
  clock_.SetWallSeconds(1'700'000'000);
  EXPECT_EQ(clock_.WallSeconds(), 1'700'000'000);
  EXPECT_EQ(clock_.PerformanceCounter(), kStartTicks + 2'000'000);
  clock_.Advance(3'000);
  EXPECT_EQ(clock_.WallSeconds(), 1'700'000'003);
}

TEST_F(ManualClockTest, SleepReturnsOnlyOnceItsDeadlineIsReached) {
  std::atomic<bool> done{false};
  auto sleeper = SleepInBackground(1'000, done);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));

  EXPECT_EQ(clock_.Advance(999), 0u);
  EXPECT_EQ(clock_.BlockedWaiters(), 1u);
  EXPECT_FALSE(done);

  EXPECT_EQ(clock_.CompletedWaits(), 0u);

  EXPECT_EQ(clock_.Advance(1), 1u);
  EXPECT_TRUE(clock_.WaitForCompletedWaits(1));
  EXPECT_EQ(clock_.BlockedWaiters(), 0u);
  Finish(sleeper);
  EXPECT_TRUE(done);
}

TEST_F(ManualClockTest, OneAdvanceWakesExactlyTheSleepersItPassed) {
  std::atomic<bool> done10{false}, done20{false}, done30{false};
  auto s10 = SleepInBackground(10, done10);
  auto s20 = SleepInBackground(20, done20);
  auto s30 = SleepInBackground(30, done30);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(3));

  EXPECT_EQ(clock_.Advance(15), 1u);
  Finish(s10);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(2));
  EXPECT_FALSE(done20);
  EXPECT_FALSE(done30);

  EXPECT_EQ(clock_.Advance(15), 2u);
  Finish(s20);
  Finish(s30);
  EXPECT_EQ(clock_.BlockedWaiters(), 0u);
}

TEST_F(ManualClockTest, TicksFinerThanAMillisecondAddUp) {
  std::atomic<bool> done{false};
  auto sleeper = SleepInBackground(1, done);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));

  const std::uint32_t ms = clock_.Milliseconds();
  EXPECT_EQ(clock_.AdvanceTicks(211), 0u);  // to the next whole millisecond
  EXPECT_EQ(clock_.Milliseconds(), ms + 1);
  EXPECT_EQ(clock_.AdvanceTicks(788), 0u);  // 999 ticks since the sleep began
  EXPECT_EQ(clock_.Milliseconds(), ms + 1);
  EXPECT_FALSE(done);

  EXPECT_EQ(clock_.AdvanceTicks(1), 1u);
  Finish(sleeper);
}

TEST_F(ManualClockTest, MillisecondsWrapButDeadlinesDoNot) {
  constexpr std::int64_t kLastMillisecond = std::numeric_limits<std::uint32_t>::max();
  ManualClock clock(kLastMillisecond * ManualClock::kTicksPerMillisecond);
  EXPECT_EQ(clock.Milliseconds(), 0xFFFFFFFFu);

  auto sleeper = std::async(std::launch::async, [&] { clock.Sleep(10); });
  ASSERT_TRUE(clock.WaitForBlockedWaiters(1));
  EXPECT_EQ(clock.Advance(9), 0u);
  EXPECT_EQ(clock.Milliseconds(), 8u);
  EXPECT_EQ(clock.Advance(1), 1u);
  platform::testing::Finish(sleeper, [&] { clock.Advance(kOneDayMs); });
  EXPECT_EQ(clock.Milliseconds() - 0xFFFFFFFFu, 10u);
}

TEST_F(ManualClockTest, ZeroSleepAndSettingTheWallClockNeverBlockOrWake) {
  clock_.Sleep(0);  // would hang the test if it blocked
  EXPECT_EQ(clock_.CompletedWaits(), 0u) << "Sleep(0) must not block at all";

  std::atomic<bool> done{false};
  auto sleeper = SleepInBackground(50, done);
  ASSERT_TRUE(clock_.WaitForBlockedWaiters(1));
  clock_.SetWallSeconds(ManualClock::kDefaultWallSeconds + 3'600);
  EXPECT_EQ(clock_.BlockedWaiters(), 1u);
  EXPECT_FALSE(done);
  EXPECT_EQ(clock_.Advance(50), 1u);
  Finish(sleeper);
}

TEST_F(ManualClockTest, WaitingForWaitersReportsFailureInsteadOfHanging) {
  EXPECT_FALSE(clock_.WaitForBlockedWaiters(1, std::chrono::milliseconds(0)));
  EXPECT_TRUE(clock_.WaitForBlockedWaiters(0, std::chrono::milliseconds(0)));
  EXPECT_FALSE(clock_.WaitForCompletedWaits(1, std::chrono::milliseconds(0)));
}

}  // namespace
