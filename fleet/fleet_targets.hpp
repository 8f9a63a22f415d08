#pragma once
// Reading a fleet's computers and finding where a member takes its target.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/regional.hpp"
#include "core/variant.hpp"

namespace qv::fleet {

// Names separated by commas or blanks; empty pieces are skipped.
std::vector<std::string> splitComputers(std::string_view text);

// One entry of a list of computers (an array or a collection), trimmed of
// what separates the names of a text list. Null fails with 94, an object
// or an array with 13, an entry that trims to nothing with 5, each naming
// Run.
std::string listedComputer(const Variant &entry, const Regional &regional);

// The position of the parameter that names the target computer, by its
// name in the type library (any case), or none.
std::optional<std::size_t> targetParameter(const std::vector<std::string> &parameterNames);

// "WORKGROUP/COMPUTER" for the classes whose target is set through
// setWorkgroup and setComputerName; a name without a slash has no workgroup.
struct WorkgroupTarget {
  std::optional<std::string> workgroup;
  std::string computer;
};
WorkgroupTarget splitWorkgroupTarget(const std::string &entry);

} // namespace qv::fleet
