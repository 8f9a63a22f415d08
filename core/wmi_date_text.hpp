#pragma once
// The management service's date-time text (yyyymmddHHMMSS.ffffff, a sign and
// the offset from UTC in minutes, "*" for parts it does not give) read as a
// moment in universal time. The event logs use their own conversion to local
// time; this one serves the inventory and the scripting functions.

#include <string_view>

#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv {

inline constexpr const char *kTranslateDateMessage = "Error translating string to date";

// How the offset "+***" (a date-only text) is read.
enum class StarredOffset {
  kMidnightUtc, // offset 0 and the time taken as 00:00:00
  kNotANumber,  // the "+" branch reads "***" as a number, which fails
};

// The conversion itself, without a handler: a text that does not form a date
// fails with 13, an offset out of range with 6.
Date wmiDateTextToUtc(std::string_view text, StarredOffset starred, const Regional &regional);

// The inventory's conversion: "+***" means midnight with no offset. Reports
// failures with "Error translating string to date".
Date translateWmiDate(std::string_view text, const Regional &regional);

} // namespace qv
