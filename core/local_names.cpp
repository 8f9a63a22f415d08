#include "core/local_names.hpp"

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/handlers.hpp"

namespace qv {

std::string localComputerName(System &system) {
  return noHandler([&] {
    std::optional<std::string> name = system.computerName();
    if (!name) throwRuntimeError(kInvalidCall);
    return trimmed(*name);
  });
}

std::string localWorkgroup(System &system) {
  return reportAndFail("Unable to get the local workgroup name",
                       [&] { return trimmed(system.workgroupName().value_or(std::string())); });
}

} // namespace qv
