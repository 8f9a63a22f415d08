#pragma once
// Short readable texts for drive sizes and fill levels, in the host's
// regional number style.

#include <string>

#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv::inventory {

// Bytes as "238.42 Mb", "100.00 Kb", "1.00 Gb", ... or "51200b". Each unit
// step divides the two-decimal figure of the step before, and the unit is
// chosen on those rounded figures, so 1,048,064 bytes already read 1.00 Mb.
std::string sizeText(double bytes, const Regional &regional);

// (size - free) * 100 / size with one decimal, as text. A size of 0 fails
// with 11.
Variant usedPercentText(double size, double freeSpace, const Regional &regional);

} // namespace qv::inventory
