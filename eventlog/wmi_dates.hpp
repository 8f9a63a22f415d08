#pragma once
// The management service's date-time text turned into a date in the local
// time of the computer the component runs on, through the local time-zone
// bias that each thread reads once and keeps.

#include <cstdint>
#include <string_view>

#include "core/management.hpp"
#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv {

inline constexpr const char *kTimeZoneBiasQuery = "SELECT Bias FROM win32_TimeZone";

// yyyymmddHHMMSS.ffffff followed by a sign and the recorded offset from UTC
// in minutes; "*" counts as "0"; the fraction of a second is dropped. The
// result is moved by (bias - signed offset) minutes. An offset field that is
// no number fails with 13, an offset that leaves the 16-bit range with the
// bias fails with 6, a year outside 100 to 9999 with 5, a moment moved off
// the range of dates with 6, and a failing bias query fails the conversion.
// No handler of its own: failures go to the caller's.
Date wmiDateToDate(std::string_view text, Management &management, const Regional &regional);

// The local bias in minutes ("Bias" of the local "win32_TimeZone", reached
// through "WinMgmts:", never the target computer). Read once per thread and
// then kept for the thread's life; a query that gives no instance caches
// nothing and gives 0, so the next call asks again.
int32_t getTimeZoneBias(Management &management, const Regional &regional);

} // namespace qv
