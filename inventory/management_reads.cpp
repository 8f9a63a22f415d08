#include "inventory/management_reads.hpp"

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv::inventory {
namespace {

// A provider that hands back no object has failed as the runtime reports an
// unset object reference, not with a crash.
template <class Pointer> Pointer checked(Pointer pointer) {
  if (!pointer) throw runtimeError(kObjectNotSet);
  return pointer;
}

} // namespace

std::shared_ptr<ManagementService> connectTo(Management &management, std::string_view computer) {
  return checked(management.connect(managementMoniker(computer)));
}

std::unique_ptr<ResultSet> allInstances(ManagementService &service, std::string_view className) {
  return checked(service.instancesOf(className));
}

std::unique_ptr<ResultSet> queryResults(ManagementService &service, std::string_view wql) {
  return checked(service.execQuery(wql));
}

std::string textProperty(ManagementObject &instance, std::string_view property, const Regional &regional) {
  return toText(instance.get(property), regional);
}

} // namespace qv::inventory
