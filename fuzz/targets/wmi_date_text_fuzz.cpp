// The management date-time text read as a moment in UTC (the inventory's
// translateWmiDate and the scripting functions' variant of it), in both
// regional styles. Failures are automation errors under "Error translating
// string to date"; a well-formed text gives the moment a plain calendar
// computes.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "core/wmi_date_text.hpp"
#include "fuzz/fuzz_support.hpp"
#include "fuzz/reference_calendar.hpp"

namespace {

using namespace qv;

bool digitsOnly(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return !text.empty();
}

int field(std::string_view text, std::size_t start, std::size_t length) {
  return std::stoi(std::string(text.substr(start, length)));
}

// The full layout yyyymmddHHMMSS.ffffff followed by a sign and three digits,
// with blanks around: the moment in seconds, or the error number a strict
// reading gives.
struct Expectation {
  int32_t error = 0;
  int64_t seconds = 0;
};

std::optional<Expectation> wellFormed(std::string_view text) {
  text = trim(text);
  if (text.size() != 25 || text[14] != '.' || (text[21] != '+' && text[21] != '-')) return std::nullopt;
  if (!digitsOnly(text.substr(0, 14)) || !digitsOnly(text.substr(15, 6)) || !digitsOnly(text.substr(22, 3)))
    return std::nullopt;
  const int year = field(text, 0, 4), month = field(text, 4, 2), day = field(text, 6, 2);
  const int hour = field(text, 8, 2), minute = field(text, 10, 2), second = field(text, 12, 2);
  const int offset = field(text, 22, 3);
  if (year < 100 || month < 1 || month > 12 || day < 1 || day > fuzz::monthLength(year, month) || hour > 23 ||
      minute > 59 || second > 59) {
    return Expectation{kTypeMismatch};
  }
  // The written clock time is offset minutes ahead of UTC.
  int64_t seconds = fuzz::referenceDays(year, month, day) * fuzz::kSecondsPerDay + hour * 3600 + minute * 60 +
                    second - (text[21] == '+' ? offset : -offset) * 60;
  if (seconds < fuzz::firstSecond() || seconds > fuzz::lastSecond()) return Expectation{kInvalidCall};
  return Expectation{0, seconds};
}

struct Outcome {
  std::optional<Date> date;
  std::optional<AutomationError> error;
};

template <class Call> Outcome outcomeOf(Call &&call) {
  Outcome outcome;
  outcome.error = fuzz::failureOf([&] { outcome.date = call(); });
  return outcome;
}

void checkDate(const Date &date, const std::string &context) {
  fuzz::require(std::isfinite(date.serial), context + ": not a finite date");
  int64_t seconds = fuzz::secondsOfSerial(date.serial);
  fuzz::require(seconds >= fuzz::firstSecond() && seconds <= fuzz::lastSecond(),
                context + ": date outside 100-01-01 to 9999-12-31");
  // Whole seconds: the fraction of a second is never kept (up to the
  // rounding of the day fraction itself).
  fuzz::require(std::fabs(fuzz::serialOfSeconds(seconds) - date.serial) < 1e-8,
                context + ": not a whole second");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const bool european = (input.byte() & 1) != 0;
  const std::string_view text = input.rest();
  const Regional &regional = european ? *PortableRegional::european() : *PortableRegional::english();
  const std::string context = fuzz::show(text) + (european ? " (european)" : " (english)");

  Outcome inventory = outcomeOf([&] { return translateWmiDate(text, regional); });
  Outcome scripts = outcomeOf([&] { return wmiDateTextToUtc(text, StarredOffset::kNotANumber, regional); });

  if (inventory.error) {
    fuzz::requireReportedAs(*inventory.error, kTranslateDateMessage, {kTypeMismatch, kOverflow, kInvalidCall},
                            context);
  } else {
    checkDate(*inventory.date, context);
  }
  if (scripts.error) {
    fuzz::requireRuntimeError(*scripts.error, {kTypeMismatch, kOverflow, kInvalidCall}, context);
    fuzz::require(scripts.error->description() == runtimeErrorText(scripts.error->number()),
                  context + ": description");
  } else {
    checkDate(*scripts.date, context);
  }

  // Without "+***" the two readings are one and the same.
  if (trim(text).find("+***") == std::string_view::npos) {
    fuzz::require(inventory.date.has_value() == scripts.date.has_value(), context + ": readings disagree");
    if (inventory.date) fuzz::require(*inventory.date == *scripts.date, context + ": different dates");
    if (inventory.error)
      fuzz::require(inventory.error->number() == scripts.error->number(), context + ": different errors");
  }

  if (auto expected = wellFormed(text)) {
    if (expected->error != 0) {
      fuzz::require(inventory.error && inventory.error->number() == expected->error,
                    context + ": expected error " + std::to_string(expected->error));
    } else {
      fuzz::require(inventory.date.has_value(), context + ": well-formed text failed");
      fuzz::require(fuzz::secondsOfSerial(inventory.date->serial) == expected->seconds,
                    context + ": moment " + std::to_string(fuzz::secondsOfSerial(inventory.date->serial)) +
                        ", expected " + std::to_string(expected->seconds));
    }
  }
  return 0;
}
