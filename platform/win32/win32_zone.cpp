// The administration host's zone: universal time to wall-clock time and
// back through the zone routines of the current zone (the ...Ex forms would
// need the dynamic zone, which older systems and Wine 8 lack).

#include <windows.h>

#include "core/automation_error.hpp"
#include "core/date_math.hpp"
#include "platform/win32/win32_system.hpp"

namespace qv::win32 {
namespace {

// The zone routines take years from 1601 on; 100 to 1600 still hold dates.
constexpr int64_t kFirstZoneYear = 1601;

struct Moment {
  SYSTEMTIME time{};
  bool zoneRoutinesTakeIt = false;
};

Moment momentOf(Date date) {
  const int64_t seconds = dates::secondsFromSerial(date.serial);
  const dates::Civil day = dates::civilFromDays(dates::floorDiv(seconds, 86400));
  const int64_t time = dates::floorMod(seconds, 86400);
  Moment moment;
  moment.time.wYear = static_cast<WORD>(day.year);
  moment.time.wMonth = static_cast<WORD>(day.month);
  moment.time.wDay = static_cast<WORD>(day.day);
  moment.time.wDayOfWeek = static_cast<WORD>(dates::weekday(dates::floorDiv(seconds, 86400)));
  moment.time.wHour = static_cast<WORD>(time / 3600);
  moment.time.wMinute = static_cast<WORD>(time / 60 % 60);
  moment.time.wSecond = static_cast<WORD>(time % 60);
  moment.zoneRoutinesTakeIt = day.year >= kFirstZoneYear;
  return moment;
}

Date dateOf(const SYSTEMTIME &time) {
  const int64_t days = dates::daysFromCivil(time.wYear, time.wMonth, time.wDay);
  const int64_t seconds =
      days * 86400 + int64_t{time.wHour} * 3600 + int64_t{time.wMinute} * 60 + time.wSecond;
  auto serial = dates::serialFromSeconds(seconds);
  if (!serial) throwRuntimeError(kOverflow);
  return Date{*serial};
}

// Before the zone routines' first year no daylight rule applies: the
// zone's standard bias (universal minus local, in minutes) does.
Date byStandardBias(Date date, int direction) {
  TIME_ZONE_INFORMATION zone{};
  if (GetTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) zone.Bias = 0;
  auto serial =
      dates::serialFromSeconds(dates::secondsFromSerial(date.serial) - direction * int64_t{zone.Bias} * 60);
  if (!serial) throwRuntimeError(kOverflow);
  return Date{*serial};
}

} // namespace

Date Win32System::universalToLocal(Date universal) {
  Moment moment = momentOf(universal);
  SYSTEMTIME local{};
  if (!moment.zoneRoutinesTakeIt || !SystemTimeToTzSpecificLocalTime(nullptr, &moment.time, &local))
    return byStandardBias(universal, 1);
  return dateOf(local);
}

Date Win32System::localToUniversal(Date local) {
  Moment moment = momentOf(local);
  SYSTEMTIME universal{};
  if (!moment.zoneRoutinesTakeIt || !TzSpecificLocalTimeToSystemTime(nullptr, &moment.time, &universal))
    return byStandardBias(local, -1);
  return dateOf(universal);
}

} // namespace qv::win32
