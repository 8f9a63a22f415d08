#pragma once
// The service listing ordered by one of its fields.

#include <string_view>

#include "core/collection.hpp"
#include "core/regional.hpp"

namespace qv {

// A new result collection of the records of services, stably ordered by the
// text of field sortKey in text compare mode; services is left unchanged.
// A sortKey that is not a field of the records fails as the record's lookup
// does; so does a service name that occurs twice.
CollectionPtr sortedServiceList(const CollectionPtr &services, std::string_view sortKey,
                                const Regional &regional);

} // namespace qv
