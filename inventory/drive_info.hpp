#pragma once
// The fixed hard-disk drives of a computer.

#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

// Media type of a fixed hard disk; every other drive is left out.
inline constexpr double kFixedHardDisk = 12;

// Drive records under position keys without gaps. A drive whose size or
// free space is Null, or whose size is 0 (locked or unformatted), is listed
// with "0b" for a Null figure and an empty "PercentUsed". No handler.
CollectionPtr readLogicalDrives(const Platform &platform, std::string_view computer);

} // namespace qv::inventory
