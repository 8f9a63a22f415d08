#include "lab/model/value.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "lab/model/text.hpp"

namespace qv::lab {

bool Value::toNumber(double &out) const {
  if (auto b = as<bool>()) {
    out = *b ? -1 : 0;
    return true;
  }
  if (auto n = as<uint8_t>()) return out = *n, true;
  if (auto n = as<int16_t>()) return out = *n, true;
  if (auto n = as<int32_t>()) return out = *n, true;
  if (auto d = as<double>()) return out = *d, true;
  if (auto s = as<std::string>()) return parseNumber(trim(*s), out);
  return false;
}

std::string Value::toText() const {
  if (isNull()) return "";
  if (auto b = as<bool>()) return *b ? "True" : "False";
  if (auto s = as<std::string>()) return *s;
  if (auto d = as<Date>()) return formatDateTime(*d);
  if (as<Array>()) return "";
  double number = 0;
  toNumber(number);
  if (number == std::floor(number) && std::fabs(number) < 1e15)
    return std::to_string(static_cast<long long>(number));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.15g", number);
  return buffer;
}

} // namespace qv::lab
