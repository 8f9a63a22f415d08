#include <cmath>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

// Half-way cases go to the even neighbour, as the runtime rounds; NaN and
// values past limit fail with 6.
double bankersRound(double value, double low, double high) {
  if (std::isnan(value)) throwRuntimeError(kOverflow);
  double lower = std::floor(value);
  double rest = value - lower;
  double rounded = lower;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(lower, 2.0) != 0.0)) rounded = lower + 1.0;
  if (rounded < low || rounded > high) throwRuntimeError(kOverflow);
  return rounded;
}

} // namespace

int16_t roundToInt16(double value) { return static_cast<int16_t>(bankersRound(value, -32768.0, 32767.0)); }

int32_t roundToInt32(double value) {
  return static_cast<int32_t>(bankersRound(value, -2147483648.0, 2147483647.0));
}

} // namespace qv
