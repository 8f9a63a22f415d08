#pragma once
// Reading a text as a date in a regional style.

#include <optional>
#include <string_view>

#include "core/regional_settings.hpp"
#include "core/variant.hpp"

namespace qv {

// Accepts, with blanks around and between the parts:
// - a date in the order of the style's short date pattern with its separator
//   or "/" ("3/1/2005" in M/d/yyyy, "01.03.2005" in dd.MM.yyyy), or the ISO
//   order year-month-day with "-" or "/" when the first number has three or
//   more digits ("2005-3-1");
// - a time h:m, h:m:s, or h alone before a designator, with the style's AM/PM
//   designators or "AM"/"PM" in any letter case (12-hour then);
// - a date followed by a time.
// Two-digit years are 2000-2029 and 1930-1999. Fields outside their range (the
// 31st of April, 24:00) make the text no date. nullopt for anything else.
std::optional<Date> readDateText(std::string_view text, const RegionalSettings &settings);

} // namespace qv
