// The event logs' date-time conversion (wmiDateToDate) for any text and a
// host zone of any fixed offset. Failures are the runtime's type mismatch,
// overflow or invalid call; a result is a date inside the range of dates,
// and for a text of digits in the full layout it is the moment a plain
// calendar computes.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "eventlog/wmi_dates.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/reference_calendar.hpp"
#include "tests/fakes/fake_system.hpp"

namespace {

using namespace qv;

int expandedYear(int year) { return year < 30 ? year + 2000 : year < 100 ? year + 1900 : year; }

struct Expectation {
  int32_t error = 0;
  int64_t seconds = 0;
};

// Texts whose 25 characters are digits (stars counted as "0") but for the
// point and the sign: every field is a plain number, so the carry of months,
// days, hours and minutes can be worked out directly.
std::optional<Expectation> plainLayout(std::string text, int32_t zone) {
  for (char &c : text)
    if (c == '*') c = '0';
  if (text.size() < 25) return std::nullopt;
  text.resize(25);
  for (std::size_t i = 0; i < 25; ++i) {
    if (i == 14 || i == 21) continue;
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  }
  auto number = [&](std::size_t start, std::size_t length) { return std::stoi(text.substr(start, length)); };
  const int recorded = number(22, 3);
  const int64_t toUniversal = text[21] == '-' ? recorded : -recorded;

  const int year = number(0, 4), month = number(4, 2), day = number(6, 2);
  const int hour = number(8, 2), minute = number(10, 2), second = number(12, 2);
  // Months past December carry into the next years, month 0 into the year
  // before; days carry from the first of the month.
  int64_t fullYear = expandedYear(year) + (month == 0 ? -1 : (month - 1) / 12);
  int fullMonth = month == 0 ? 12 : (month - 1) % 12 + 1;
  if (fullYear < 100 || fullYear > 9999) return Expectation{kInvalidCall};
  int64_t days = fuzz::referenceDays(fullYear, fullMonth, 1) + day - 1;
  if (days * fuzz::kSecondsPerDay < fuzz::firstSecond() || days * fuzz::kSecondsPerDay > fuzz::lastSecond())
    return Expectation{kInvalidCall};
  int64_t seconds = days * fuzz::kSecondsPerDay + hour * 3600 + (minute + toUniversal) * 60 + second;
  if (seconds < fuzz::firstSecond() || seconds > fuzz::lastSecond()) return Expectation{kOverflow};
  seconds += int64_t{zone} * 60;
  if (seconds < fuzz::firstSecond() || seconds > fuzz::lastSecond()) return Expectation{kOverflow};
  return Expectation{0, seconds};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const auto zone = input.number<int32_t>();
  const std::string text(input.rest());
  const std::string context = fuzz::show(text) + " zone " + std::to_string(zone);

  std::optional<Date> date;
  fake::System host;
  host.zoneMinutes = [zone](Date) { return zone; };
  std::optional<AutomationError> error =
      fuzz::failureOf([&] { date = wmiDateToDate(text, host, *PortableRegional::english()); });

  if (error) {
    fuzz::requireRuntimeError(*error, {kTypeMismatch, kOverflow, kInvalidCall}, context);
    fuzz::require(error->description() == runtimeErrorText(error->number()), context + ": description");
  } else {
    fuzz::require(std::isfinite(date->serial), context + ": not a finite date");
    const int64_t seconds = fuzz::secondsOfSerial(date->serial);
    fuzz::require(seconds >= fuzz::firstSecond() && seconds <= fuzz::lastSecond(),
                  context + ": date outside 100-01-01 to 9999-12-31");
  }

  if (auto expected = plainLayout(text, zone)) {
    if (expected->error != 0) {
      fuzz::require(error && error->number() == expected->error,
                    context + ": expected error " + std::to_string(expected->error));
    } else {
      fuzz::require(date.has_value(), context + ": failed, expected a date");
      fuzz::require(fuzz::secondsOfSerial(date->serial) == expected->seconds,
                    context + ": moment " + std::to_string(fuzz::secondsOfSerial(date->serial)) +
                        ", expected " + std::to_string(expected->seconds));
    }
  }
  return 0;
}
