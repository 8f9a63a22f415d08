#pragma once
// The component's one sorting facility.

#include <string_view>

#include "core/collection.hpp"
#include "core/regional.hpp"

namespace qv {

// A new collection of source's values (not its keys), without keys, in
// ascending order by compareText in compareMode; equal values keep their
// input order. O(n log n). A value that is no text fails as its conversion
// to text does.
CollectionPtr sortCollection(const Collection &source, const Variant &compareMode, const Regional &regional);

} // namespace qv
