#pragma once

// The wall clock as the user reads it: the diagnostics file's name and header, and when the
// update check last looked.

#include <cstdint>
#include <string>

namespace tessary {

struct LocalTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// The local time of `unixSeconds` (seconds since 1970) in the system's time zone.
LocalTime LocalTimeOf(std::int64_t unixSeconds);

// "2026-12-07 04:05:06".
std::string DateTimeText(const LocalTime& time);

}  // namespace tessary
