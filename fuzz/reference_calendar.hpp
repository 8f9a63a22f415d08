#pragma once
// A second, deliberately plain calendar to check the component's dates
// against: day counts from the Gregorian rules written out, and automation
// dates taken apart without the component's helpers.

#include <cmath>
#include <cstdint>

namespace qv::fuzz {

inline bool leapYear(int64_t year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

inline int monthLength(int64_t year, int month) {
  constexpr int kLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && leapYear(year) ? 29 : kLengths[month - 1];
}

// Days from 0001-01-01 to year-month-day (year >= 1, month 1-12).
inline int64_t daysSinceYearOne(int64_t year, int month, int day) {
  int64_t before = year - 1;
  int64_t days = before * 365 + before / 4 - before / 100 + before / 400;
  for (int m = 1; m < month; ++m)
    days += monthLength(year, m);
  return days + day - 1;
}

// Days from 1899-12-30, the automation date's day 0.
inline int64_t referenceDays(int64_t year, int month, int day) {
  return daysSinceYearOne(year, month, day) - daysSinceYearOne(1899, 12, 30);
}

inline constexpr int64_t kSecondsPerDay = 86400;
// 0100-01-01 00:00:00 and 9999-12-31 23:59:59 in seconds from day 0.
inline int64_t firstSecond() { return referenceDays(100, 1, 1) * kSecondsPerDay; }
inline int64_t lastSecond() { return referenceDays(9999, 12, 31) * kSecondsPerDay + kSecondsPerDay - 1; }

// An automation date in whole seconds from day 0 counted forwards: before
// day 0 the whole part counts back while the fraction still counts the time
// of day forwards (-1.25 is 1899-12-29 06:00).
inline int64_t secondsOfSerial(double serial) {
  double whole = std::trunc(serial);
  double timeOfDay = std::fabs(serial - whole);
  return static_cast<int64_t>(whole) * kSecondsPerDay + std::llround(timeOfDay * kSecondsPerDay);
}

// The automation date of a second count (the reverse of the above).
inline double serialOfSeconds(int64_t seconds) {
  int64_t day = seconds / kSecondsPerDay;
  int64_t rest = seconds % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --day;
  }
  double fraction = static_cast<double>(rest) / kSecondsPerDay;
  return day >= 0 ? static_cast<double>(day) + fraction : static_cast<double>(day) - fraction;
}

} // namespace qv::fuzz
