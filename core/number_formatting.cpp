#include "core/number_formatting.hpp"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace qv::numbers {

namespace {

// d1.d2d3... x 10^exponent with at most 15 digits, trailing zeros removed;
// no digits for zero.
struct Significant {
  bool negative = false;
  std::string digits;
  int exponent = 0;
};

Significant significant(double value) {
  Significant result;
  if (value == 0) return result;
  char buffer[64];
  auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14);
  std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  if (error != std::errc()) return result;
  std::size_t pos = 0;
  if (text[pos] == '-') {
    result.negative = true;
    ++pos;
  }
  std::size_t mark = text.find('e', pos);
  for (std::size_t i = pos; i < mark; ++i) {
    if (text[i] != '.') result.digits.push_back(text[i]);
  }
  result.exponent = std::atoi(std::string(text.substr(mark + 1)).c_str());
  while (!result.digits.empty() && result.digits.back() == '0')
    result.digits.pop_back();
  return result;
}

std::string nonFiniteText(double value) {
  if (std::isnan(value)) return "-1.#IND";
  return value < 0 ? "-1.#INF" : "1.#INF";
}

std::string grouped(std::string_view whole, std::string_view groupSeparator) {
  std::string out;
  out.reserve(whole.size() + whole.size() / 3 * groupSeparator.size());
  for (std::size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) out.append(groupSeparator);
    out.push_back(whole[i]);
  }
  return out;
}

} // namespace

std::string generalText(double value, std::string_view decimalSeparator) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  Significant s = significant(value);
  if (s.digits.empty()) return "0";
  std::string out = s.negative ? "-" : "";
  const int x = s.exponent;
  if (x < -4 || x >= 15) {
    out.push_back(s.digits[0]);
    if (s.digits.size() > 1) out.append(decimalSeparator).append(s.digits.substr(1));
    out.append(x < 0 ? "E-" : "E+");
    int magnitude = std::abs(x);
    if (magnitude < 10) out.push_back('0');
    out.append(std::to_string(magnitude));
  } else if (x >= 0) {
    std::string whole = s.digits.substr(0, std::min<std::size_t>(s.digits.size(), x + 1));
    whole.resize(static_cast<std::size_t>(x) + 1, '0');
    out.append(whole);
    if (s.digits.size() > static_cast<std::size_t>(x) + 1) {
      out.append(decimalSeparator).append(s.digits.substr(static_cast<std::size_t>(x) + 1));
    }
  } else {
    out.append("0").append(decimalSeparator).append(static_cast<std::size_t>(-x - 1), '0').append(s.digits);
  }
  return out;
}

std::string fixedText(double value, int decimals, std::string_view decimalSeparator,
                      std::string_view groupSeparator) {
  if (!std::isfinite(value)) return nonFiniteText(value);
  if (decimals < 0) decimals = 0;
  Significant s = significant(value);
  // All digits from the first whole digit (or the first fraction digit) on,
  // with point digits before the decimal point.
  std::string digits = s.digits;
  long point = s.exponent + 1;
  if (point <= 0) {
    digits.insert(0, static_cast<std::size_t>(-point), '0');
    point = 0;
  }
  const std::size_t cut = static_cast<std::size_t>(point) + static_cast<std::size_t>(decimals);
  if (digits.size() <= cut) {
    digits.resize(cut, '0');
  } else {
    bool roundUp = digits[cut] >= '5';
    digits.resize(cut);
    if (roundUp) {
      std::size_t i = digits.size();
      while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
      if (i == 0) {
        digits.insert(digits.begin(), '1');
        ++point;
      } else {
        ++digits[i - 1];
      }
    }
  }
  std::string whole = digits.substr(0, static_cast<std::size_t>(point));
  std::string fraction = digits.substr(static_cast<std::size_t>(point));
  std::size_t firstNonZero = whole.find_first_not_of('0');
  whole = firstNonZero == std::string::npos ? "0" : whole.substr(firstNonZero);

  bool isZero = digits.find_first_not_of('0') == std::string::npos;
  std::string out = (s.negative && !isZero) ? "-" : "";
  out.append(grouped(whole, groupSeparator));
  if (decimals > 0) out.append(decimalSeparator).append(fraction);
  return out;
}

} // namespace qv::numbers
