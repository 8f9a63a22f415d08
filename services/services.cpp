#include "services/services.hpp"

#include <utility>
#include <vector>

#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "services/service_records.hpp"
#include "services/sorted_listing.hpp"
#include "services/status_request.hpp"

namespace qv {

namespace {

// Records {field: Name as text} of the children of container that filter
// lets through, keyed by position.
CollectionPtr nameRecords(DirectoryObject &container, const std::vector<std::string> &filter,
                          const char *field, const Regional &regional) {
  ResultCollection result;
  for (const DirectoryObjectPtr &child : container.children(filter)) {
    auto record = newRecord();
    record->add(Variant(toText(child->get("Name"), regional)), field);
    result.add(Variant(record));
  }
  return result.take();
}

} // namespace

Services::Services(Platform platform) : platform_(std::move(platform)) {}

void Services::setComputerName(const std::string &name) { target_.computer = name; }

void Services::setWorkgroup(const std::string &name) { target_.workgroup = name; }

CollectionPtr Services::getWorkgroups() {
  return reportAndFail("error with getWorkgroups", [&] {
    DirectoryObjectPtr root = platform_.directory->bind(kWinNtRoot);
    return nameRecords(*root, {}, "Workgroup", regional());
  });
}

CollectionPtr Services::getComputers() {
  return noHandler([&] {
    DirectoryObjectPtr workgroup = platform_.directory->bind(workgroupPath(target_.workgroup));
    return nameRecords(*workgroup, {"Computer"}, "Computer", regional());
  });
}

CollectionPtr Services::serviceList() {
  return noHandler([&] {
    DirectoryObjectPtr computer =
        platform_.directory->bind(computerPath(target_.workgroup, target_.computer));
    ResultCollection result;
    for (const DirectoryObjectPtr &service : computer->children({"Service"})) {
      result.add(Variant(serviceSummaryRecord(*service, regional())));
    }
    return result.take();
  });
}

CollectionPtr Services::servicesSorted(const std::string &sortKey) {
  return noHandler([&] { return sortedServiceList(serviceList(), sortKey, regional()); });
}

CollectionPtr Services::getService(const std::string &service) {
  return reportAndFail("Error with getService", [&] {
    DirectoryObjectPtr object =
        platform_.directory->bind(servicePath(target_.workgroup, target_.computer, service));
    return serviceDetailRecord(
        *object, [this](const std::string &name) { return serviceDisplayName(name); }, regional());
  });
}

void Services::setStatus(const std::string &service, int32_t status, int32_t StartType) {
  noHandler([&] {
    DirectoryObjectPtr object =
        platform_.directory->bind(servicePath(target_.workgroup, target_.computer, service));
    if (StartType > 0) object->put("StartType", Variant(StartType));
    // The state change goes first: a request the service refuses ends the
    // call before the new start type is committed.
    if (auto method = statusRequestMethod(status)) {
      std::vector<Variant> noArguments;
      object->call(*method, noArguments);
    }
    object->setInfo();
  });
}

std::string Services::serviceDisplayName(const std::string &name) {
  DirectoryObjectPtr object =
      platform_.directory->bind(servicePath(target_.workgroup, target_.computer, name));
  return toText(object->get("DisplayName"), regional());
}

} // namespace qv
