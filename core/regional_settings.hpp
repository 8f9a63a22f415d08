#pragma once
// The fixed settings a portable regional style is made of.

#include <array>
#include <string>

namespace qv {

// Patterns use d, dd (day), ddd, dddd (day names), M, MM (month), MMM, MMMM
// (month names), y, yy, yyyy (year), h, hh (12-hour), H, HH (24-hour), m, mm,
// s, ss, t, tt (AM/PM designator); text in single quotes, or a character after
// a backslash, is copied as it stands, and so is every other character.
struct RegionalSettings {
  std::string decimalSeparator;
  std::string groupSeparator;
  std::string shortDatePattern;
  std::string longDatePattern;
  std::string longTimePattern;
  std::string shortTimePattern;
  std::string amDesignator;
  std::string pmDesignator;
  std::array<std::string, 12> monthNames; // January first
  std::array<std::string, 12> abbreviatedMonthNames;
  std::array<std::string, 7> dayNames; // Sunday first
  std::array<std::string, 7> abbreviatedDayNames;
};

} // namespace qv
