#pragma once
// The few ways the inventory walks the management service of a target.

#include <memory>
#include <string_view>

#include "core/management.hpp"
#include "core/regional.hpp"

namespace qv::inventory {

// A fresh connection to "winmgmts://" + computer, exactly as given.
std::shared_ptr<ManagementService> connectTo(Management &management, std::string_view computer);

// Every instance of a class, in the service's order.
std::unique_ptr<ResultSet> allInstances(ManagementService &service, std::string_view className);
// The results of one query, in the service's order.
std::unique_ptr<ResultSet> queryResults(ManagementService &service, std::string_view wql);

// Calls visit with each instance; stops at the end of the set.
template <class Visit> void forEachInstance(ResultSet &set, Visit &&visit) {
  while (ManagementObjectPtr instance = set.next())
    visit(*instance);
}

// A property read as text with the runtime's conversion (Null fails with 94).
std::string textProperty(ManagementObject &instance, std::string_view property, const Regional &regional);

} // namespace qv::inventory
