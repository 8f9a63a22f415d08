#pragma once
// The management service's date-time text turned into a date in the local
// time of the computer the component runs on.

#include <string_view>

#include "core/regional.hpp"
#include "core/system.hpp"
#include "core/variant.hpp"

namespace qv {

// yyyymmddHHMMSS.ffffff followed by a sign and the recorded offset from UTC
// in minutes; "*" counts as "0"; the fraction of a second is dropped. The
// recorded time less its offset is the universal moment, which is shown in
// this host's zone by the zone's rules for that moment, so a moment in
// daylight-saving time reads as such whatever the season of the reading. An
// offset field that is no number fails with 13, one outside 16 bits with 6,
// a year outside 100 to 9999 with 5, and a moment off the range of dates
// (before or after the move into this host's zone) with 6. No handler of
// its own: failures go to the caller's.
Date wmiDateToDate(std::string_view text, System &system, const Regional &regional);

} // namespace qv
