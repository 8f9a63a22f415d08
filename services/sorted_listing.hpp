#pragma once
// The service listing ordered by one of its fields.

#include <string_view>

#include "core/collection.hpp"
#include "core/regional.hpp"

namespace qv {

// The result collection services (records under position keys), stably
// reordered in place by the text of field sortKey in text compare mode, and
// returned. A sortKey that is not a field of the records fails as the
// record's lookup does; so does a service name that occurs twice (457), as
// the sort values have always been kept under the service names. O(n log n).
CollectionPtr sortedServiceList(CollectionPtr services, std::string_view sortKey, const Regional &regional);

} // namespace qv
