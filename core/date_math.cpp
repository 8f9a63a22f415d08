#include "core/date_math.hpp"

#include <cmath>

namespace qv::dates {

namespace {
// 1899-12-30 counted from 1970-01-01.
constexpr int64_t kEpochFromUnix = -25569;
} // namespace

int64_t floorDiv(int64_t a, int64_t b) {
  int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

// The era-based conversions count from 1970-01-01 and work for any year.
int64_t daysFromCivil(int64_t year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const int64_t era = floorDiv(year, 400);
  const int64_t yearOfEra = year - era * 400;
  const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468 - kEpochFromUnix;
}

Civil civilFromDays(int64_t days) {
  const int64_t z = days + kEpochFromUnix + 719468;
  const int64_t era = floorDiv(z, 146097);
  const int64_t dayOfEra = z - era * 146097;
  const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t mp = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {year, month, day};
}

int daysInMonth(int64_t year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month == 2) {
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return leap ? 29 : 28;
  }
  return kDays[month - 1];
}

int weekday(int64_t days) { return static_cast<int>(floorMod(days + 6, 7)); }

int64_t expandYear(int64_t year) {
  if (year >= 0 && year <= 29) return year + 2000;
  if (year >= 30 && year <= 99) return year + 1900;
  return year;
}

bool serialInRange(double serial) {
  return serial > static_cast<double>(kFirstDay - 1) && serial < static_cast<double>(kLastDay + 1);
}

double linearFromSerial(double serial) {
  if (serial >= 0) return serial;
  double whole = std::trunc(serial);
  return whole + (whole - serial);
}

double serialFromLinear(double linear) {
  if (linear >= 0) return linear;
  double whole = std::floor(linear);
  return whole - (linear - whole);
}

int64_t secondsFromSerial(double serial) { return std::llround(linearFromSerial(serial) * 86400.0); }

std::optional<double> serialFromSeconds(int64_t seconds) {
  const int64_t days = floorDiv(seconds, 86400);
  if (days < kFirstDay || days > kLastDay) return std::nullopt;
  const double fraction = static_cast<double>(floorMod(seconds, 86400)) / 86400.0;
  return serialFromLinear(static_cast<double>(days) + fraction);
}

std::optional<int64_t> carriedDays(int64_t year, int64_t month, int64_t day) {
  int64_t monthIndex = month - 1;
  int64_t fullYear = expandYear(year) + floorDiv(monthIndex, 12);
  if (fullYear < 100 || fullYear > 9999) return std::nullopt;
  int monthOfYear = static_cast<int>(floorMod(monthIndex, 12)) + 1;
  return daysFromCivil(fullYear, monthOfYear, 1) + day - 1;
}

} // namespace qv::dates
