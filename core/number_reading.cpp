#include "core/number_reading.hpp"

#include <charconv>
#include <cmath>
#include <string>

namespace qv::numbers {

namespace {

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

std::optional<int64_t> readExponent(std::string_view text, std::size_t &pos) {
  std::size_t start = pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
  std::size_t digits = pos;
  int64_t value = 0;
  while (pos < text.size() && isDecimalDigit(text[pos])) {
    // Huge exponents only decide between overflow and zero.
    if (value < 1'000'000) value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  if (pos == digits) {
    pos = start;
    return std::nullopt;
  }
  return negative ? -value : value;
}

bool isDigitOf(char c, int radix) { return digitValue(c) < radix; }

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

std::optional<double> radixValue(std::string_view digits, int radix) {
  if (digits.empty()) return std::nullopt;
  uint64_t value = 0;
  for (char c : digits) {
    int digit = digitValue(c);
    if (digit >= radix) return std::nullopt;
    value = value * static_cast<uint64_t>(radix) + static_cast<uint64_t>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (value <= 0xFFFF) return static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
  return static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)));
}

std::optional<double> decimalValue(bool negative, std::string_view wholeDigits,
                                   std::string_view fractionDigits, int64_t exponent) {
  std::string text;
  text.reserve(wholeDigits.size() + fractionDigits.size() + 24);
  text.append(wholeDigits.empty() ? "0" : wholeDigits);
  if (!fractionDigits.empty()) text.append(".").append(fractionDigits);
  text.append("e").append(std::to_string(exponent));
  double value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc::result_out_of_range) {
    // Too large or too small: the position of the first significant digit
    // decides which.
    std::size_t firstWhole = wholeDigits.find_first_not_of('0');
    int64_t magnitude;
    if (firstWhole != std::string_view::npos) {
      magnitude = static_cast<int64_t>(wholeDigits.size() - firstWhole) + exponent;
    } else {
      std::size_t firstFraction = fractionDigits.find_first_not_of('0');
      if (firstFraction == std::string_view::npos) return 0.0;
      magnitude = exponent - static_cast<int64_t>(firstFraction);
    }
    if (magnitude > 0) return std::nullopt;
    return 0.0;
  }
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  if (value == 0) return 0.0;
  return negative ? -value : value;
}

std::optional<double> readStrictNumber(std::string_view text, std::string_view decimalSeparator,
                                       std::string_view groupSeparator) {
  while (!text.empty() && isBlank(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back()))
    text.remove_suffix(1);
  if (text.empty()) return std::nullopt;

  if (text.size() >= 2 && text[0] == '&') {
    char prefix = text[1];
    if (prefix == 'H' || prefix == 'h') return radixValue(text.substr(2), 16);
    if (prefix == 'O' || prefix == 'o') return radixValue(text.substr(2), 8);
    return std::nullopt;
  }

  std::size_t pos = 0;
  bool negative = false;
  if (text[pos] == '+' || text[pos] == '-') negative = text[pos++] == '-';

  std::string whole;
  while (pos < text.size()) {
    const bool atDecimal = !decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator);
    if (isDecimalDigit(text[pos])) {
      whole.push_back(text[pos++]);
    } else if (!atDecimal && !groupSeparator.empty() && !whole.empty() &&
               text.substr(pos).starts_with(groupSeparator) && pos + groupSeparator.size() < text.size() &&
               isDecimalDigit(text[pos + groupSeparator.size()])) {
      pos += groupSeparator.size();
    } else {
      break;
    }
  }

  std::string_view fraction;
  if (!decimalSeparator.empty() && text.substr(pos).starts_with(decimalSeparator)) {
    pos += decimalSeparator.size();
    std::size_t start = pos;
    while (pos < text.size() && isDecimalDigit(text[pos]))
      ++pos;
    fraction = text.substr(start, pos - start);
  }
  if (whole.empty() && fraction.empty()) return std::nullopt;

  int64_t exponent = 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e' || text[pos] == 'D' || text[pos] == 'd')) {
    ++pos;
    auto read = readExponent(text, pos);
    if (!read) return std::nullopt;
    exponent = *read;
  }
  if (pos != text.size()) return std::nullopt;
  return decimalValue(negative, whole, fraction, exponent);
}

} // namespace qv::numbers
