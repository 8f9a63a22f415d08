#pragma once
// The one-record summary of a computer: its computer-system object, main
// board and BIOS.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

// Stands for "no release date" while the BIOS is read.
inline constexpr const char *kNoReleaseDate = "1970-09-29";

// The summary record. No handler.
CollectionPtr readComputerSummary(const Platform &platform, std::string_view computer);

// "Standalone Workstation" ... "Primary Domain Controller" for roles 0 to 5,
// "Unknown Domain Role" otherwise. No handler.
std::string domainRoleText(int16_t role);

// Memory in units of 1,024,000 bytes followed by "mb"; "mb" alone for Null.
std::string physicalMemoryText(const Variant &bytes, const Regional &regional);

} // namespace qv::inventory
