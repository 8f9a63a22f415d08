#include "services/service_records.hpp"

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"

namespace qv {

namespace {

Variant textOf(DirectoryObject &service, std::string_view property, const Regional &regional) {
  Variant value = service.get(property);
  if (value.isText()) return value;
  return Variant(toText(value, regional));
}

Variant numberOf(DirectoryObject &service, std::string_view property, const Regional &regional) {
  return Variant(toInt32(service.get(property), regional));
}

CollectionPtr dependencyRecord(const Variant &name, const DisplayNameLookup &displayName,
                               const Regional &regional) {
  std::string text = toText(name, regional);
  auto record = newRecord();
  record->add(Variant(text), "Name");
  record->add(Variant(displayName(text)), "DisplayName");
  return record;
}

} // namespace

CollectionPtr serviceSummaryRecord(DirectoryObject &service, const Regional &regional) {
  auto record = newRecord();
  record->reserve(5);
  record->add(textOf(service, "Name", regional), "Name");
  record->add(textOf(service, "DisplayName", regional), "DisplayName");
  record->add(textOf(service, "status", regional), "Status");
  record->add(textOf(service, "ServiceType", regional), "ServiceType");
  record->add(textOf(service, "StartType", regional), "StartType");
  return record;
}

CollectionPtr serviceDetailRecord(DirectoryObject &service, const DisplayNameLookup &displayName,
                                  const Regional &regional) {
  auto record = newRecord();
  record->add(numberOf(service, "status", regional), "Status");
  record->add(textOf(service, "Name", regional), "Name");
  record->add(textOf(service, "DisplayName", regional), "DisplayName");
  record->add(textOf(service, "path", regional), "Path");
  record->add(textOf(service, "ServiceAccountName", regional), "ServiceAccountName");
  record->add(numberOf(service, "StartType", regional), "StartType");
  record->add(numberOf(service, "ServiceType", regional), "ServiceType");
  record->add(textOf(service, "ErrorControl", regional), "ErrorControl");

  // Many services have no dependencies at all, and the provider then may
  // have no value to give: that is an empty list, not a failure.
  Variant dependencies;
  tolerate([&] { dependencies = service.get("Dependencies"); });
  record->add(Variant(dependencyList(dependencies, displayName, regional)), "Dependencies");
  return record;
}

CollectionPtr dependencyList(const Variant &dependencies, const DisplayNameLookup &displayName,
                             const Regional &regional) {
  auto list = std::make_shared<Collection>();
  if (dependencies.isText()) {
    list->add(Variant(dependencyRecord(dependencies, displayName, regional)), "0");
  } else if (dependencies.isArray()) {
    // Indexed from 0 to the upper bound, as a script would walk it: a list
    // that starts above 0 has no element 0 and fails there.
    const VariantArray &items = dependencies.array();
    int64_t upper = static_cast<int64_t>(items.lowerBound) + static_cast<int64_t>(items.items.size()) - 1;
    for (int64_t index = 0; index <= upper; ++index) {
      if (index < items.lowerBound) throwRuntimeError(kSubscriptOutOfRange);
      const Variant &name = items.items[static_cast<std::size_t>(index - items.lowerBound)];
      list->add(Variant(dependencyRecord(name, displayName, regional)), std::to_string(index));
    }
  }
  return list;
}

} // namespace qv
