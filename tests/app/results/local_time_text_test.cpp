// The times the statistics show: the start row's text and the stamp in the
// name of a file moved aside.

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

#include "app/results/LocalTimeText.h"

namespace {

struct TimeCase {
  const char* zone;
  std::int64_t seconds;
  std::u16string startTime;
  std::string stamp;

  friend void PrintTo(const TimeCase& time, std::ostream* out) {
    *out << time.zone << " " << time.seconds;
  }
};

class StatisticsTimeTextTest : public ::testing::TestWithParam<TimeCase> {
 protected:
  void SetUp() override {
    ::setenv("TZ", GetParam().zone, 1);
    ::tzset();
  }
  void TearDown() override {
    ::setenv("TZ", "UTC", 1);
    ::tzset();
  }
};

// 1796841000 is 2026-12-09 18:30:00 UTC.
INSTANTIATE_TEST_SUITE_P(
    StatisticsTimes, StatisticsTimeTextTest,
    ::testing::Values(
        TimeCase{"UTC", 0, u"01-January-1970 00:00", "1970-01-01-00-00-00"},
        TimeCase{"UTC", 1796841000, u"09-December-2026 18:30", "2026-12-09-18-30-00"},
        // Local time, not UTC: the teacher reads the time of day of the lesson.
        TimeCase{"MSK-3", 1796841000, u"09-December-2026 21:30", "2026-12-09-21-30-00"},
        // A zone ahead of UTC moves the last evening of a year into the next.
        TimeCase{"MSK-3", 1798761599, u"01-January-2027 02:59", "2027-01-01-02-59-59"},
        TimeCase{"UTC", 951782400, u"29-February-2000 00:00", "2000-02-29-00-00-00"},
        // Seconds are dropped from the start time, not rounded.
        TimeCase{"UTC", 1796841059, u"09-December-2026 18:30", "2026-12-09-18-30-59"}));

TEST_P(StatisticsTimeTextTest, FollowsTheLocalZoneWithEnglishMonthNames) {
  EXPECT_EQ(results::FormatStartTime(GetParam().seconds), GetParam().startTime);
  EXPECT_EQ(results::FormatFileStamp(GetParam().seconds), GetParam().stamp);
}

}  // namespace
