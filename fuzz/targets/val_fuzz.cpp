// Val, the lenient reading of a number: any text gives a finite number or
// fails with an overflow; blanks, tabs and line feeds anywhere change
// nothing; a number written out in full reads back exactly; and where the
// strict reading accepts a text, both readings agree.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using namespace qv;

struct Reading {
  std::optional<double> value;
  std::optional<AutomationError> error;
};

Reading valOf(std::string_view text) {
  Reading reading;
  reading.error = fuzz::failureOf([&] { reading.value = val(text); });
  if (reading.error) fuzz::requireRuntimeError(*reading.error, {kOverflow}, "Val " + fuzz::show(text));
  return reading;
}

bool same(const Reading &a, const Reading &b) {
  if (a.error || b.error) return a.error.has_value() == b.error.has_value();
  return *a.value == *b.value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const uint8_t where = input.byte();
  const uint8_t blankChoice = input.byte();
  const auto written = input.number<double>();
  const std::string text(input.rest());
  const std::string context = "Val " + fuzz::show(text);

  const Reading plain = valOf(text);
  if (plain.value) fuzz::require(std::isfinite(*plain.value), context + ": not finite");

  // A blank, tab or line feed put anywhere is ignored.
  constexpr char kIgnored[] = {' ', '\t', '\n'};
  std::string spread = text;
  spread.insert(spread.begin() + static_cast<std::ptrdiff_t>(where % (text.size() + 1)),
                kIgnored[blankChoice % 3]);
  fuzz::require(same(plain, valOf(spread)), context + ": changed by a blank in " + fuzz::show(spread));

  // Where the strict reading accepts the text (no group separators, no
  // carriage return, which only the strict reading skips), Val agrees.
  if (text.find(',') == std::string::npos && text.find('\r') == std::string::npos) {
    if (auto strict = PortableRegional::english()->textToNumber(text)) {
      fuzz::require(plain.value && *plain.value == *strict, context + ": differs from the strict reading");
    }
  }

  // A finite number written with all its digits reads back exactly, also
  // with text behind it.
  if (std::isfinite(written)) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.17g", written);
    std::string full = std::string(buffer) + "x" + text;
    const Reading back = valOf(full);
    fuzz::require(back.value && (*back.value == written || (written == 0 && *back.value == 0)),
                  "Val " + fuzz::show(full) + ": does not read back");
  }
  return 0;
}
