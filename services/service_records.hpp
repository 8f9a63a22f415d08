#pragma once
// The records a service object is read into.

#include <functional>
#include <string>

#include "core/collection.hpp"
#include "core/directory.hpp"
#include "core/regional.hpp"

namespace qv {

// Gives a dependency's display name from its service name.
using DisplayNameLookup = std::function<std::string(const std::string &name)>;

// The listing's five fields, each converted to text.
CollectionPtr serviceSummaryRecord(DirectoryObject &service, const Regional &regional);

// The nine fields of one service in full; "Dependencies" is read as a
// tolerated step, so an unreadable list is an empty one.
CollectionPtr serviceDetailRecord(DirectoryObject &service, const DisplayNameLookup &displayName,
                                  const Regional &regional);

// The dependency records {"Name", "DisplayName"} of the value the provider
// gives for Dependencies: one text, a list (keys "0", "1", ... by index), or
// anything else for none.
CollectionPtr dependencyList(const Variant &dependencies, const DisplayNameLookup &displayName,
                             const Regional &regional);

} // namespace qv
