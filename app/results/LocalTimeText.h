#pragma once

#include <cstdint>
#include <string>

namespace results {

// Dates and times as the statistics file shows them. Both read the local
// time zone (TZ, else the system's), since a teacher reads the times of the
// day the lessons took place. Month names are English and digits are ASCII
// whatever locale the process has, because the texts are built here rather
// than by the C library's locale-dependent formatting.

// The start row's value, "%d-%B-%Y %H:%M" in the C locale:
// "09-December-2026 18:30". A time outside what the system's calendar can
// break down gives "?".
std::u16string FormatStartTime(std::int64_t secondsSinceEpoch);

// The date and time inside a file name, "2026-12-09-18-30-05": sortable, and
// with no character that a file system or a USB stick would refuse.
std::string FormatFileStamp(std::int64_t secondsSinceEpoch);

}  // namespace results
