// The strict reading of a text as a number (the regional textToNumber and
// the conversions built on it): the same text in the English style and with
// its separators swapped in the European style reads the same, the
// invariant reading agrees where there is no group separator, and the whole
// number conversions round half to even or fail with the runtime's errors.

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/number_reading.hpp"
#include "core/portable_regional.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using namespace qv;

std::string swapSeparators(std::string_view text) {
  std::string out(text);
  for (char &c : out)
    c = c == '.' ? ',' : c == ',' ? '.' : c;
  return out;
}

// The whole number a conversion to a range must give: half to even, or an
// overflow when the rounded value leaves [low, high].
template <class Whole, class Convert>
void checkWhole(std::optional<double> strict, std::string_view text, double low, double high, Convert convert,
                const std::string &context) {
  std::optional<Whole> got;
  auto error = fuzz::failureOf([&] { got = convert(Variant(text)); });
  if (!strict) {
    fuzz::require(error && error->number() == kTypeMismatch, context + ": no number, but no type mismatch");
    return;
  }
  double rounded = std::nearbyint(*strict); // the default mode: half to even
  if (rounded < low || rounded > high) {
    fuzz::require(error && error->number() == kOverflow, context + ": out of range, but no overflow");
    return;
  }
  fuzz::require(!error, context + ": failed in range");
  fuzz::require(static_cast<double>(*got) == rounded, context + ": rounded to " + std::to_string(*got));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::string_view text = input.rest();
  const std::string context = "number " + fuzz::show(text);
  const auto &english = *PortableRegional::english();
  const auto &european = *PortableRegional::european();

  const std::optional<double> strict = english.textToNumber(text);
  if (strict) fuzz::require(std::isfinite(*strict), context + ": not finite");

  const std::optional<double> swapped = european.textToNumber(swapSeparators(text));
  fuzz::require(strict.has_value() == swapped.has_value() && (!strict || *strict == *swapped),
                context + ": the European style reads the swapped text otherwise");

  if (text.find(',') == std::string_view::npos) {
    const std::optional<double> invariant = numbers::readStrictNumber(text, ".", "");
    fuzz::require(invariant.has_value() == strict.has_value() && (!strict || *strict == *invariant),
                  context + ": the invariant reading differs");
  }

  std::optional<double> converted;
  auto error = fuzz::failureOf([&] { converted = toDouble(Variant(text), english); });
  if (strict) {
    fuzz::require(!error && *converted == *strict, context + ": toDouble differs");
  } else {
    fuzz::require(error && error->number() == kTypeMismatch, context + ": toDouble without a type mismatch");
  }
  if (error) fuzz::requireRuntimeError(*error, {kTypeMismatch}, context);

  checkWhole<int32_t>(
      strict, text, -2147483648.0, 2147483647.0, [&](const Variant &v) { return toInt32(v, english); },
      context + " toInt32");
  checkWhole<int16_t>(
      strict, text, -32768.0, 32767.0, [&](const Variant &v) { return toInt16(v, english); },
      context + " toInt16");
  return 0;
}
