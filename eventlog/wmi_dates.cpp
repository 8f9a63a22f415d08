#include "eventlog/wmi_dates.hpp"

#include <algorithm>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/date_math.hpp"

namespace qv {

namespace {

constexpr std::size_t kLayoutLength = 25;

int16_t fieldNumber(std::string_view layout, std::size_t position, std::size_t length) {
  return roundToInt16(val(layout.substr(position - 1, length)));
}

// A date moved by a number of seconds, worked out on a linear count of
// seconds: automation dates before 1899-12-30 keep the time of day as a
// positive fraction behind a negative day. A moment moved off either end of
// the calendar is no date: the runtime's date arithmetic overflows there,
// and so does this.
Date addSeconds(Date day, int64_t seconds) {
  auto serial = dates::serialFromSeconds(dates::secondsFromSerial(day.serial) + seconds);
  if (!serial) throwRuntimeError(kOverflow);
  return Date{*serial};
}

} // namespace

Date wmiDateToDate(std::string_view text, System &system, const Regional &regional) {
  std::string layout(text);
  std::replace(layout.begin(), layout.end(), '*', '0');
  layout.resize(kLayoutLength, ' ');

  // The recorded offset is local time minus universal time, so it is taken
  // away to reach the universal moment.
  int16_t recorded = toInt16(Variant(layout.substr(22, 3)), regional);
  int32_t toUniversal = layout[21] == '-' ? recorded : -static_cast<int32_t>(recorded);

  int16_t year = fieldNumber(layout, 1, 4);
  int16_t month = fieldNumber(layout, 5, 2);
  int16_t day = fieldNumber(layout, 7, 2);
  int16_t hour = fieldNumber(layout, 9, 2);
  int16_t minute = fieldNumber(layout, 11, 2);
  int16_t second = fieldNumber(layout, 13, 2);

  Date date = dateSerial(year, month, day);
  int64_t seconds = int64_t{hour} * 3600 + (int64_t{minute} + toUniversal) * 60 + second;
  return system.universalToLocal(addSeconds(date, seconds));
}

} // namespace qv
