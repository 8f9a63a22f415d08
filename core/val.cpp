#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/number_reading.hpp"

namespace qv {

double val(std::string_view text) {
  // Blanks, tabs and line feeds do not count anywhere in the text.
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') compact.push_back(c);
  }
  std::string_view s = compact;

  if (s.size() >= 2 && s[0] == '&') {
    int radix = (s[1] == 'H' || s[1] == 'h') ? 16 : (s[1] == 'O' || s[1] == 'o') ? 8 : 0;
    if (radix != 0) {
      std::size_t end = 2;
      while (end < s.size() && numbers::isDigitOf(s[end], radix))
        ++end;
      if (end == 2) return 0.0;
      auto value = numbers::radixValue(s.substr(2, end - 2), radix);
      if (!value) throwRuntimeError(kOverflow);
      return *value;
    }
  }

  std::size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) negative = s[pos++] == '-';
  std::size_t wholeStart = pos;
  while (pos < s.size() && numbers::isDecimalDigit(s[pos]))
    ++pos;
  std::string_view whole = s.substr(wholeStart, pos - wholeStart);
  std::string_view fraction;
  if (pos < s.size() && s[pos] == '.') {
    std::size_t fractionStart = ++pos;
    while (pos < s.size() && numbers::isDecimalDigit(s[pos]))
      ++pos;
    fraction = s.substr(fractionStart, pos - fractionStart);
  }
  if (whole.empty() && fraction.empty()) return 0.0;

  int64_t exponent = 0;
  if (pos < s.size() && (s[pos] == 'E' || s[pos] == 'e' || s[pos] == 'D' || s[pos] == 'd')) {
    std::size_t afterMark = pos + 1;
    if (auto read = numbers::readExponent(s, afterMark)) exponent = *read;
  }
  auto value = numbers::decimalValue(negative, whole, fraction, exponent);
  if (!value) throwRuntimeError(kOverflow);
  return *value;
}

} // namespace qv
