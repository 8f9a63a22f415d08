#pragma once
// Calendar arithmetic behind the automation date. An automation date counts
// days from 1899-12-30; before that day the whole part counts backwards while
// the fraction still counts the time forwards from midnight (-1.25 is
// 1899-12-29 06:00). "Linear" days count both forwards, so they can be added
// and compared directly.

#include <cstdint>
#include <optional>

namespace qv::dates {

// 100-01-01 and 9999-12-31, the first and last day a date may hold.
inline constexpr int64_t kFirstDay = -657434;
inline constexpr int64_t kLastDay = 2958465;

int64_t floorDiv(int64_t a, int64_t b);
int64_t floorMod(int64_t a, int64_t b);

// Days from 1899-12-30 to the given proleptic Gregorian date (month 1-12).
int64_t daysFromCivil(int64_t year, int month, int day);
struct Civil {
  int64_t year;
  int month;
  int day;
};
Civil civilFromDays(int64_t days);
int daysInMonth(int64_t year, int month);
// 0 Sunday ... 6 Saturday.
int weekday(int64_t days);

// Two-digit years: 0-29 are 2000-2029, 30-99 are 1930-1999.
int64_t expandYear(int64_t year);

// A serial inside the range of dates (100-01-01 to 9999-12-31 23:59:59).
bool serialInRange(double serial);
double linearFromSerial(double serial);
double serialFromLinear(double linear);

// A date as whole seconds from 1899-12-30 00:00 counted forwards (rounded
// to the nearest second), and back: nullopt for a moment off the range of
// dates. Moments are moved by adding seconds in between.
int64_t secondsFromSerial(double serial);
std::optional<double> serialFromSeconds(int64_t seconds);

// Days of (year, month, day) with the carry of out-of-range months and days;
// nullopt when the year (after expandYear and the month carry) is outside
// 100 to 9999.
std::optional<int64_t> carriedDays(int64_t year, int64_t month, int64_t day);

} // namespace qv::dates
