#include "lab/model/text.hpp"

#include <cmath>
#include <cstdio>
#include <stdexcept>

namespace qv::lab {

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowerText(std::string_view text) {
  std::string result(text);
  for (char &c : result)
    c = lowerAscii(c);
  return result;
}

std::string upperText(std::string_view text) {
  std::string result(text);
  for (char &c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

int compareNoCase(std::string_view a, std::string_view b) {
  std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    auto x = static_cast<unsigned char>(lowerAscii(a[i]));
    auto y = static_cast<unsigned char>(lowerAscii(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && compareNoCase(a, b) == 0;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string trim(std::string_view text) {
  std::size_t begin = 0, end = text.size();
  while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
    ++begin;
  while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
    --end;
  return std::string(text.substr(begin, end - begin));
}

std::vector<std::string> split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    std::size_t at = text.find(separator, start);
    parts.emplace_back(
        text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

bool parseNumber(std::string_view text, double &out) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  double value = 0;
  std::size_t digits = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    value = value * 10 + (text[i++] - '0');
    ++digits;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    double scale = 0.1;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      value += (text[i++] - '0') * scale;
      scale /= 10;
      ++digits;
    }
  }
  if (digits == 0 || i != text.size()) return false;
  out = negative ? -value : value;
  return true;
}

bool parseInt32(std::string_view text, int32_t &out) {
  double value = 0;
  if (!parseNumber(text, value) || value != std::floor(value) || value < -2147483648.0 ||
      value > 2147483647.0)
    return false;
  out = static_cast<int32_t>(value);
  return true;
}

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date.
long long daysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int &year, int &month, int &day) {
  z += 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

const long long kAutomationEpoch = daysFromCivil(1899, 12, 30);

} // namespace

Date dateFromParts(int year, int month, int day, int hour, int minute, int second) {
  long long days =
      daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) - kAutomationEpoch;
  long long seconds = days * 86400 + hour * 3600LL + minute * 60LL + second;
  return Date{static_cast<double>(seconds) / 86400.0};
}

void partsFromDate(Date date, int &year, int &month, int &day, int &hour, int &minute, int &second) {
  auto seconds = static_cast<long long>(std::llround(date.serial * 86400.0));
  long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
  long long rest = seconds - days * 86400;
  civilFromDays(days + kAutomationEpoch, year, month, day);
  hour = static_cast<int>(rest / 3600);
  minute = static_cast<int>(rest / 60 % 60);
  second = static_cast<int>(rest % 60);
}

Date parseIsoDateTime(std::string_view text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
  std::string copy(text);
  char tail = 0;
  if (std::sscanf(copy.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c", &y, &mo, &d, &h, &mi, &s, &tail) != 6 ||
      mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59) {
    throw std::invalid_argument("not a date of the form yyyy-mm-ddThh:mm:ss: " + copy);
  }
  return dateFromParts(y, mo, d, h, mi, s);
}

std::string formatDateTime(Date date) {
  int y, mo, d, h, mi, s;
  partsFromDate(date, y, mo, d, h, mi, s);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", y, mo, d, h, mi, s);
  return buffer;
}

std::string managementDateTime(Date local, int offsetMinutes) {
  int y, mo, d, h, mi, s;
  partsFromDate(local, y, mo, d, h, mi, s);
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d%02d%02d%02d.000000%c%03d", y, mo, d, h, mi, s,
                offsetMinutes < 0 ? '-' : '+', offsetMinutes < 0 ? -offsetMinutes : offsetMinutes);
  return buffer;
}

bool managementInstant(std::string_view text, double &seconds) {
  if (text.size() != 25 || text[14] != '.' || (text[21] != '+' && text[21] != '-')) return false;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (i != 14 && i != 21 && (text[i] < '0' || text[i] > '9')) return false;
  auto number = [&](std::size_t at, std::size_t length) {
    int value = 0;
    for (std::size_t i = at; i < at + length; ++i)
      value = value * 10 + (text[i] - '0');
    return value;
  };
  const int month = number(4, 2), day = number(6, 2), hour = number(8, 2), minute = number(10, 2),
            second = number(12, 2);
  if (month < 1 || month > 12 || day < 1 || day > 31 || hour > 23 || minute > 59 || second > 59) return false;
  const Date wall = dateFromParts(number(0, 4), month, day, hour, minute, second);
  const int offset = number(22, 3) * (text[21] == '-' ? -1 : 1);
  seconds = std::round(wall.serial * 86400.0) - offset * 60.0 + number(15, 6) / 1e6;
  return true;
}

} // namespace qv::lab
