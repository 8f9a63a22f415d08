#include <algorithm>
#include <cmath>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/date_math.hpp"

namespace qv {

namespace {

constexpr int64_t kSecondsPerDay = 86400;

// Whole seconds since 1899-12-30 00:00, rounded to the nearest second. The
// last half second of 9999-12-31 stays on that day: rounding must not carry
// a date that is in range out of it.
int64_t linearSeconds(Date value) {
  if (!std::isfinite(value.serial) || !dates::serialInRange(value.serial)) throwRuntimeError(kOverflow);
  int64_t seconds = std::llround(dates::linearFromSerial(value.serial) * kSecondsPerDay);
  return std::clamp(seconds, dates::kFirstDay * kSecondsPerDay,
                    dates::kLastDay * kSecondsPerDay + kSecondsPerDay - 1);
}

// A date from whole days and seconds (either may be out of range: the
// seconds carry into the days); 5 when the result leaves the range of dates.
Date dateFromDaysAndSeconds(int64_t days, int64_t seconds) {
  int64_t day = days + dates::floorDiv(seconds, kSecondsPerDay);
  int64_t secondOfDay = dates::floorMod(seconds, kSecondsPerDay);
  if (day < dates::kFirstDay || day > dates::kLastDay) throwRuntimeError(kInvalidCall);
  double linear = static_cast<double>(day) + static_cast<double>(secondOfDay) / kSecondsPerDay;
  return Date{dates::serialFromLinear(linear)};
}

int64_t secondsOf(int64_t hour, int64_t minute, int64_t second) { return hour * 3600 + minute * 60 + second; }

} // namespace

DateParts splitDate(Date value) {
  int64_t seconds = linearSeconds(value);
  int64_t days = dates::floorDiv(seconds, kSecondsPerDay);
  int64_t secondOfDay = dates::floorMod(seconds, kSecondsPerDay);
  dates::Civil civil = dates::civilFromDays(days);
  DateParts parts;
  parts.year = static_cast<int>(civil.year);
  parts.month = civil.month;
  parts.day = civil.day;
  parts.hour = static_cast<int>(secondOfDay / 3600);
  parts.minute = static_cast<int>(secondOfDay / 60 % 60);
  parts.second = static_cast<int>(secondOfDay % 60);
  return parts;
}

Date dateSerial(int year, int month, int day) {
  auto days = dates::carriedDays(year, month, day);
  if (!days) throwRuntimeError(kInvalidCall);
  return dateFromDaysAndSeconds(*days, 0);
}

Date makeDate(const DateParts &parts) {
  auto days = dates::carriedDays(parts.year, parts.month, parts.day);
  if (!days) throwRuntimeError(kInvalidCall);
  return dateFromDaysAndSeconds(*days, secondsOf(parts.hour, parts.minute, parts.second));
}

Date addMinutes(Date value, double minutes) {
  if (!std::isfinite(value.serial) || !dates::serialInRange(value.serial) || !std::isfinite(minutes)) {
    throwRuntimeError(kInvalidCall);
  }
  double linear = dates::linearFromSerial(value.serial) + minutes / 1440.0;
  if (!(linear >= static_cast<double>(dates::kFirstDay) &&
        linear < static_cast<double>(dates::kLastDay + 1))) {
    throwRuntimeError(kInvalidCall);
  }
  return Date{dates::serialFromLinear(linear)};
}

int64_t minutesBetween(Date from, Date to) {
  return dates::floorDiv(linearSeconds(to), 60) - dates::floorDiv(linearSeconds(from), 60);
}

} // namespace qv
