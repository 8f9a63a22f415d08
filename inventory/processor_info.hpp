#pragma once
// The processors of a computer.

#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

// Processor records under position keys. No handler.
CollectionPtr readProcessors(const Platform &platform, std::string_view computer);

} // namespace qv::inventory
