#include "app/results/LocalTimeText.h"

#include <array>
#include <cstdio>
#include <ctime>
#include <optional>

namespace results {

namespace {

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

std::optional<std::tm> LocalTime(std::int64_t secondsSinceEpoch) {
  // localtime_r, unlike localtime, need not look at TZ again; tzset makes a
  // change of zone (a test's, or the system's) count.
  tzset();
  const std::time_t time = static_cast<std::time_t>(secondsSinceEpoch);
  std::tm parts{};
  if (localtime_r(&time, &parts) == nullptr) return std::nullopt;
  return parts;
}

}  // namespace

std::u16string FormatStartTime(std::int64_t secondsSinceEpoch) {
  const std::optional<std::tm> parts = LocalTime(secondsSinceEpoch);
  if (!parts) return u"?";
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%02d-%s-%d %02d:%02d", parts->tm_mday,
                                   kMonths.at(parts->tm_mon), parts->tm_year + 1900, parts->tm_hour,
                                   parts->tm_min);
  // The text is ASCII, so each byte is one UTF-16 unit.
  return std::u16string(text, text + length);
}

std::string FormatFileStamp(std::int64_t secondsSinceEpoch) {
  const std::optional<std::tm> parts = LocalTime(secondsSinceEpoch);
  if (!parts) return "unknown-time";
  char text[64];
  const int length = std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d-%02d-%02d",
                                   parts->tm_year + 1900, parts->tm_mon + 1, parts->tm_mday,
                                   parts->tm_hour, parts->tm_min, parts->tm_sec);
  return std::string(text, length);
}

}  // namespace results
