#pragma once
// Dates written with a pattern of a regional style.

#include <string>
#include <string_view>

#include "core/convert.hpp"
#include "core/regional_settings.hpp"

namespace qv {

std::string formatDatePattern(const DateParts &parts, std::string_view pattern,
                              const RegionalSettings &settings);

} // namespace qv
