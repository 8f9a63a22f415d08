#include "eventlog/wmi_dates.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/date_math.hpp"

namespace qv {

namespace {

constexpr std::size_t kLayoutLength = 25;
constexpr int64_t kSecondsPerDay = 86400;

std::optional<int32_t> &biasCache() {
  thread_local std::optional<int32_t> cache;
  return cache;
}

int16_t fieldNumber(std::string_view layout, std::size_t position, std::size_t length) {
  return roundToInt16(val(layout.substr(position - 1, length)));
}

// A whole-day date moved by a number of seconds. Automation dates before
// 1899-12-30 keep the time of day as a positive fraction behind a negative
// day, so the sum is worked out on a linear count of seconds. A moment moved
// off either end of the calendar is no date: the runtime's date arithmetic
// overflows there, and so does this.
Date addSeconds(Date day, int64_t seconds) {
  int64_t linear = static_cast<int64_t>(std::llround(day.serial)) * kSecondsPerDay + seconds;
  int64_t days = linear / kSecondsPerDay;
  int64_t rest = linear % kSecondsPerDay;
  if (rest < 0) {
    rest += kSecondsPerDay;
    --days;
  }
  if (days < dates::kFirstDay || days > dates::kLastDay) throwRuntimeError(kOverflow);
  double fraction = static_cast<double>(rest) / kSecondsPerDay;
  auto serial = static_cast<double>(days);
  return Date{days >= 0 ? serial + fraction : serial - fraction};
}

} // namespace

int32_t getTimeZoneBias(Management &management, const Regional &regional) {
  auto &cache = biasCache();
  if (!cache) {
    auto service = management.connect(kLocalManagementMoniker);
    auto set = service->execQuery(kTimeZoneBiasQuery);
    if (auto zone = firstOf(*set)) cache = toInt32(zone->get("Bias"), regional);
  }
  return cache.value_or(0);
}

Date wmiDateToDate(std::string_view text, Management &management, const Regional &regional) {
  std::string layout(text);
  std::replace(layout.begin(), layout.end(), '*', '0');
  layout.resize(kLayoutLength, ' ');

  int16_t recorded = toInt16(Variant(layout.substr(22, 3)), regional);
  int32_t offset = layout[21] == '-' ? recorded : -static_cast<int32_t>(recorded);
  int64_t shift = static_cast<int64_t>(offset) + getTimeZoneBias(management, regional);
  if (shift < std::numeric_limits<int16_t>::min() || shift > std::numeric_limits<int16_t>::max()) {
    throwRuntimeError(kOverflow);
  }

  int16_t year = fieldNumber(layout, 1, 4);
  int16_t month = fieldNumber(layout, 5, 2);
  int16_t day = fieldNumber(layout, 7, 2);
  int16_t hour = fieldNumber(layout, 9, 2);
  int16_t minute = fieldNumber(layout, 11, 2);
  int16_t second = fieldNumber(layout, 13, 2);

  Date date = dateSerial(year, month, day);
  int64_t seconds = int64_t{hour} * 3600 + (int64_t{minute} + shift) * 60 + second;
  return addSeconds(date, seconds);
}

} // namespace qv
