// A double as text in both regional styles: the general form (the runtime's
// CStr, 15 significant digits) reads back as the value rounded to 15
// significant digits, and the fixed form (FormatNumber) reads back within
// half a unit of its last decimal, never "-" before a zero, and refuses a
// number of decimals outside -1 to 99 with an invalid-call error.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using namespace qv;

// The value rounded to 15 significant digits, as C rounds it.
double fifteenDigits(double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.14e", value);
  return std::strtod(buffer, nullptr);
}

std::string context(double value, const char *style) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.17g", value);
  return std::string(buffer) + " (" + style + ")";
}

void checkGeneral(double value, const PortableRegional &regional, const char *style) {
  const std::string where = context(value, style);
  const std::string text = regional.doubleToText(value);
  fuzz::require(!text.empty() && text.size() <= 22, where + ": text " + fuzz::show(text));
  auto back = regional.textToNumber(text);
  if (!std::isfinite(value)) {
    fuzz::require(!back, where + ": a value that is no number reads back as " + fuzz::show(text));
    return;
  }
  const double want = fifteenDigits(value);
  if (!std::isfinite(want)) {
    // Rounded up past the largest double, as the runtime's own text of it.
    fuzz::require(!back, where + ": " + fuzz::show(text) + " reads back though past the largest double");
    return;
  }
  fuzz::require(back.has_value(), where + ": " + fuzz::show(text) + " does not read back");
  fuzz::require(*back == want || (want == 0 && *back == 0),
                where + ": " + fuzz::show(text) + " reads back as " + context(*back, style));
}

void checkFixed(double value, int decimals, const PortableRegional &regional, const char *style) {
  const std::string where = context(value, style) + " with " + std::to_string(decimals) + " decimals";
  std::string text;
  auto error = fuzz::failureOf([&] { text = regional.formatNumber(value, decimals); });
  if (decimals < -1 || decimals > 99) {
    fuzz::require(error && error->number() == kInvalidCall, where + ": accepted");
    fuzz::requireRuntimeError(*error, {kInvalidCall}, where);
    return;
  }
  fuzz::require(!error, where + ": failed");
  if (!std::isfinite(value)) return;
  auto back = regional.textToNumber(text);
  const double rounded = fifteenDigits(value);
  if (!std::isfinite(rounded)) {
    fuzz::require(!back, where + ": " + fuzz::show(text) + " reads back though past the largest double");
    return;
  }
  fuzz::require(back.has_value(), where + ": " + fuzz::show(text) + " does not read back");
  const int places = decimals == -1 ? 2 : decimals;
  const double slack = 0.5 * std::pow(10.0, -places) + std::fabs(rounded) * 1e-15;
  fuzz::require(std::fabs(*back - rounded) <= slack, where + ": " + fuzz::show(text) + " is too far off");
  if (*back == 0) fuzz::require(text[0] != '-', where + ": a zero with a sign: " + fuzz::show(text));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const auto value = input.number<double>();
  const auto decimals = static_cast<int>(input.number<int8_t>());
  checkGeneral(value, *PortableRegional::english(), "english");
  checkGeneral(value, *PortableRegional::european(), "european");
  checkFixed(value, decimals, *PortableRegional::english(), "english");
  checkFixed(value, decimals, *PortableRegional::european(), "european");
  return 0;
}
