// The real clock and the process-wide current clock.

#include <gtest/gtest.h>

#include <atomic>
#include <ctime>
#include <future>

#include "engine/platform/clock/CurrentClock.h"
#include "engine/platform/clock/ManualClock.h"
#include "engine/platform/clock/SystemClock.h"
#include "tests/platform/Finish.h"

namespace {

using platform::ManualClock;
using platform::SystemClock;

TEST(ClockTest, SystemClockReadingsAgreeWithTheSystem) {
  SystemClock clock;
  EXPECT_EQ(clock.PerformanceFrequency(), 1'000'000'000);

  // Milliseconds() is the same steady clock as the counter, so a reading
  // taken between two counter readings lies between them.
  const std::int64_t before = clock.PerformanceCounter();
  const std::uint32_t ms = clock.Milliseconds();
  const std::int64_t after = clock.PerformanceCounter();
  EXPECT_LE(before, after);
  const auto lowMs = static_cast<std::uint32_t>(before / 1'000'000);
  EXPECT_LE(static_cast<std::uint32_t>(ms - lowMs),
            static_cast<std::uint32_t>((after - before) / 1'000'000 + 1));

  const std::int64_t wall = clock.WallSeconds();
  EXPECT_NEAR(static_cast<double>(wall), static_cast<double>(std::time(nullptr)), 2.0);
}

TEST(ClockTest, SystemClockWaitDecidesWithoutBlockingWhenItCan) {
  SystemClock clock;
  std::mutex mutex;
  std::condition_variable cv;
  std::unique_lock lock(mutex);
  EXPECT_TRUE(clock.WaitFor(lock, cv, platform::kInfinite, [] { return true; }));
  EXPECT_FALSE(clock.WaitFor(lock, cv, 0, [] { return false; }));
  EXPECT_TRUE(lock.owns_lock());
  clock.Sleep(0);
}

TEST(ClockTest, TheRealClockIsCurrentUntilAnotherIsInstalled) {
  EXPECT_NE(dynamic_cast<SystemClock*>(&platform::GetClock()), nullptr);
  EXPECT_EQ(platform::QueryPerformanceFrequency(), SystemClock::kTicksPerSecond);

  ManualClock manual(/*initialTicks=*/7'000'123);
  EXPECT_EQ(platform::SetClock(&manual), nullptr);
  EXPECT_EQ(&platform::GetClock(), &manual);
  EXPECT_EQ(platform::QueryPerformanceCounter(), 7'000'123);
  EXPECT_EQ(platform::QueryPerformanceFrequency(), ManualClock::kTicksPerSecond);
  EXPECT_EQ(platform::timeGetTime(), 7'000u);
  EXPECT_EQ(platform::CurrentTime(), ManualClock::kDefaultWallSeconds);

  EXPECT_EQ(platform::SetClock(nullptr), &manual);
  EXPECT_NE(dynamic_cast<SystemClock*>(&platform::GetClock()), nullptr);
}

TEST(ClockTest, ScopedClocksNestAndRestoreWhatWasInstalledBefore) {
  ManualClock outer(/*initialTicks=*/1'000);
  ManualClock inner(/*initialTicks=*/2'000);
  {
    const platform::ScopedClock useOuter(outer);
    {
      const platform::ScopedClock useInner(inner);
      EXPECT_EQ(platform::timeGetTime(), 2u);
    }
    EXPECT_EQ(platform::timeGetTime(), 1u);
  }
  EXPECT_NE(dynamic_cast<SystemClock*>(&platform::GetClock()), nullptr);
}

TEST(ClockTest, FreeSleepBlocksOnTheInstalledClock) {
  ManualClock manual;
  const platform::ScopedClock use(manual);
  std::atomic<bool> returned{false};
  auto sleeper = std::async(std::launch::async, [&] {
    platform::Sleep(5);
    returned = true;
  });
  ASSERT_TRUE(manual.WaitForBlockedWaiters(1));
  EXPECT_FALSE(returned);
  EXPECT_EQ(manual.Advance(5), 1u);
  platform::testing::Finish(sleeper, [&] { manual.Advance(1000); });
  EXPECT_TRUE(returned);
}

}  // namespace
