#pragma once
// The settings of a fleet as a script writes them, and how a bound reads
// in a description.

#include <cstdint>
#include <string>

#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv::fleet {

// Longest bound a host may be given, in seconds (one day); 0 is no bound.
inline constexpr double kLongestTimeout = 86400;
inline constexpr int32_t kMostParallel = 64;

// Seconds per host: 0 or a positive number up to kLongestTimeout,
// fractions included. A number out of range fails with 5; Empty, Null and
// anything that is not a number (text that does not read as one included)
// with 13; both name Timeout.
double readTimeout(const Variant &value, const Regional &regional);

// Hosts called at once, 1 to kMostParallel (a fraction rounds as the
// runtime rounds); failures as for readTimeout, naming Parallel.
int32_t readParallel(const Variant &value, const Regional &regional);

// Whole seconds as whole numbers, fractions as given: "30", "0.5".
std::string secondsText(double seconds);

} // namespace qv::fleet
