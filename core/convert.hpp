#pragma once
// Conversions with the scripting runtime's rules, shared by all classes.
// Failures: Null -> 94 "Invalid use of Null", unconvertible -> 13 "Type
// mismatch", out of range -> 6 "Overflow".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv {

std::string toText(const Variant &value, const Regional &regional);
int16_t toInt16(const Variant &value, const Regional &regional);
int32_t toInt32(const Variant &value, const Regional &regional);
double toDouble(const Variant &value, const Regional &regional);
bool toBool(const Variant &value, const Regional &regional);
Date toDate(const Variant &value, const Regional &regional);

// The same for values that hold no text, so need no regional settings
// (a text fails with 13).
int32_t toInt32(const Variant &value);
double toDouble(const Variant &value);

// Banker's rounding of a double to a whole number; 6 when out of range.
int16_t roundToInt16(double value);
int32_t roundToInt32(double value);

// Val: the longest leading part that reads as a number, blanks ignored,
// "." as the only decimal separator, &H and &O prefixes; 0 when none.
double val(std::string_view text);

// Compare two texts: mode 0 by character code, 1 as text. <0, 0, >0.
// Another mode fails with 5.
int compareText(std::string_view a, std::string_view b, int32_t mode, const Regional &regional);

// Blanks (spaces only, as the runtime's Trim) removed at both ends.
std::string_view trim(std::string_view text);
std::string trimmed(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Dates. Parts of an automation date, and DateSerial/TimeSerial with the
// runtime's carry of out-of-range months, days, hours, minutes and seconds
// (two-digit years 0-29 mean 20xx, 30-99 mean 19xx). Fails with 5 outside
// the years 100 to 9999.
struct DateParts {
  int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
DateParts splitDate(Date value);
Date dateSerial(int year, int month, int day);
Date makeDate(const DateParts &parts);
Date addMinutes(Date value, double minutes);
// Whole minutes between two dates, seconds dropped (DateDiff "n").
int64_t minutesBetween(Date from, Date to);

} // namespace qv
