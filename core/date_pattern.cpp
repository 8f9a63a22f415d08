#include "core/date_pattern.hpp"

#include "core/date_math.hpp"

namespace qv {

namespace {

std::string padded(int64_t value, std::size_t width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
  return value < 0 ? "-" + digits : digits;
}

// The first character of a UTF-8 text.
std::string_view firstCharacter(std::string_view text) {
  if (text.empty()) return text;
  std::size_t length = 1;
  while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
    ++length;
  return text.substr(0, length);
}

} // namespace

std::string formatDatePattern(const DateParts &parts, std::string_view pattern,
                              const RegionalSettings &settings) {
  const int64_t days = dates::daysFromCivil(parts.year, parts.month, parts.day);
  const int weekday = dates::weekday(days);
  const int hour12 = parts.hour % 12 == 0 ? 12 : parts.hour % 12;
  const std::string &designator = parts.hour < 12 ? settings.amDesignator : settings.pmDesignator;

  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    char c = pattern[i];
    if (c == '\'') {
      std::size_t close = pattern.find('\'', i + 1);
      if (close == std::string_view::npos) close = pattern.size();
      out.append(pattern.substr(i + 1, close - i - 1));
      i = close + 1;
      continue;
    }
    if (c == '\\' && i + 1 < pattern.size()) {
      out.push_back(pattern[i + 1]);
      i += 2;
      continue;
    }
    std::size_t run = 1;
    while (i + run < pattern.size() && pattern[i + run] == c)
      ++run;
    switch (c) {
    case 'd':
      if (run <= 2) {
        out.append(padded(parts.day, run));
      } else {
        out.append(run == 3 ? settings.abbreviatedDayNames[static_cast<std::size_t>(weekday)]
                            : settings.dayNames[static_cast<std::size_t>(weekday)]);
      }
      break;
    case 'M':
      if (run <= 2) {
        out.append(padded(parts.month, run));
      } else {
        const auto &names = run == 3 ? settings.abbreviatedMonthNames : settings.monthNames;
        out.append(names[static_cast<std::size_t>(parts.month - 1)]);
      }
      break;
    case 'y':
      if (run <= 2) {
        out.append(padded(parts.year % 100, run));
      } else {
        out.append(padded(parts.year, run < 4 ? 4 : run));
      }
      break;
    case 'h': out.append(padded(hour12, run >= 2 ? 2 : 1)); break;
    case 'H': out.append(padded(parts.hour, run >= 2 ? 2 : 1)); break;
    case 'm': out.append(padded(parts.minute, run >= 2 ? 2 : 1)); break;
    case 's': out.append(padded(parts.second, run >= 2 ? 2 : 1)); break;
    case 't': out.append(run == 1 ? std::string(firstCharacter(designator)) : designator); break;
    default: out.append(run, c); break;
    }
    i += run;
  }
  // A style without designators leaves the blank before "tt" at the end.
  while (!out.empty() && out.back() == ' ')
    out.pop_back();
  return out;
}

} // namespace qv
