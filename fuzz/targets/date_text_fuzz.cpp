// A date as text in both regional styles (the runtime's CStr of a date and
// FormatDateTime's named formats): a date outside the range of dates fails
// with an overflow, every other date gives a text that reads back as the
// same moment to the second; the short date and times read back as their
// parts, and a format outside 0 to 4 fails with an invalid call.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/reference_calendar.hpp"

namespace {

using namespace qv;

// The day (the whole part) is one of the range of dates.
bool validDay(double serial) {
  if (!std::isfinite(serial)) return false;
  double day = std::trunc(serial);
  return day >= static_cast<double>(fuzz::firstSecond() / fuzz::kSecondsPerDay) &&
         day <= static_cast<double>(fuzz::lastSecond() / fuzz::kSecondsPerDay);
}

// ... and so is the moment rounded to the second.
bool inRange(double serial) {
  if (!validDay(serial)) return false;
  int64_t seconds = fuzz::secondsOfSerial(serial);
  return seconds >= fuzz::firstSecond() && seconds <= fuzz::lastSecond();
}

int64_t readBack(const PortableRegional &regional, const std::string &text, const std::string &where) {
  std::optional<Date> back = regional.textToDate(text);
  fuzz::require(back.has_value(), where + ": " + fuzz::show(text) + " does not read back");
  return fuzz::secondsOfSerial(back->serial);
}

void check(double serial, int format, const PortableRegional &regional, const char *style) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", serial);
  const std::string where = std::string(buffer) + " (" + style + ")";

  std::string text;
  auto error = fuzz::failureOf([&] { text = regional.dateToText(Date{serial}); });
  if (!validDay(serial)) {
    fuzz::require(error.has_value(), where + ": no overflow, but " + fuzz::show(text));
    fuzz::requireRuntimeError(*error, {kOverflow}, where);
    return;
  }
  if (!inRange(serial)) {
    // The last day's final half second: an overflow, or a text that still
    // names a date.
    if (error) fuzz::requireRuntimeError(*error, {kOverflow}, where);
    if (!error) readBack(regional, text, where);
    return;
  }
  fuzz::require(!error, where + ": failed in range");
  const int64_t seconds = fuzz::secondsOfSerial(serial);
  // A time of day of exactly half a second may round either way.
  const double timeFraction = std::fabs(serial - std::trunc(serial)) * fuzz::kSecondsPerDay;
  const bool tie = timeFraction - std::floor(timeFraction) == 0.5;
  const int64_t read = readBack(regional, text, where);
  fuzz::require(read == seconds || (tie && std::llabs(read - seconds) == 1),
                where + ": " + fuzz::show(text) + " moved");
  if (read != seconds) return;

  int64_t day = seconds / fuzz::kSecondsPerDay;
  if (seconds % fuzz::kSecondsPerDay < 0) --day;
  const int64_t timeOfDay = seconds - day * fuzz::kSecondsPerDay;
  std::string named;
  auto formatError = fuzz::failureOf([&] { named = regional.formatDate(Date{serial}, format); });
  if (format < 0 || format > 4) {
    fuzz::require(formatError && formatError->number() == kInvalidCall,
                  where + ": format " + std::to_string(format) + " accepted");
    return;
  }
  fuzz::require(!formatError, where + ": format " + std::to_string(format) + " failed");
  switch (format) {
  case kGeneralDate: fuzz::require(named == text, where + ": general date differs from CStr"); break;
  case kShortDate:
    fuzz::require(readBack(regional, named, where) == day * fuzz::kSecondsPerDay, where + ": short date");
    break;
  case kLongTime: fuzz::require(readBack(regional, named, where) == timeOfDay, where + ": long time"); break;
  case kShortTime:
    fuzz::require(readBack(regional, named, where) == timeOfDay / 60 * 60, where + ": short time");
    break;
  default: fuzz::require(!named.empty(), where + ": empty long date"); break;
  }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const uint8_t mode = input.byte();
  const auto format = static_cast<int>(input.number<int8_t>());
  const auto raw = input.number<int64_t>();
  double serial;
  if (mode & 1) {
    // Any double at all.
    static_assert(sizeof(double) == sizeof(int64_t));
    std::memcpy(&serial, &raw, sizeof serial);
  } else {
    // A moment inside the range, to the second.
    const int64_t span = fuzz::lastSecond() - fuzz::firstSecond() + 1;
    const int64_t offset = static_cast<int64_t>(static_cast<uint64_t>(raw) % static_cast<uint64_t>(span));
    serial = fuzz::serialOfSeconds(fuzz::firstSecond() + offset);
  }
  check(serial, format, *PortableRegional::english(), "english");
  check(serial, format, *PortableRegional::european(), "european");
  return 0;
}
