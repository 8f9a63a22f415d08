#pragma once
// The operating-system hotfixes installed on a computer.

#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

// Hotfix records under position keys, every value as delivered. No handler.
CollectionPtr readHotFixes(const Platform &platform, std::string_view computer);

} // namespace qv::inventory
