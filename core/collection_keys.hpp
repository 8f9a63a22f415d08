#pragma once
// The keys of a collection as a script reads them.

#include "core/collection.hpp"
#include "core/variant.hpp"

namespace qv {

// The keys in item order, as texts, from lower bound 0; an item added
// without a key gives its position as text ("3").
VariantArray keysOf(const Collection &collection);

} // namespace qv
