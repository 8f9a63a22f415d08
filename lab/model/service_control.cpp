#include "lab/model/service_control.hpp"

#include <vector>

#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

int32_t numberOf(const DirNode &service, const char *property) {
  const Value *value = service.props.find(property);
  double number = 0;
  if (!value || !value->toNumber(number)) return 0;
  return static_cast<int32_t>(number);
}

void setStatus(DirNode &service, int32_t status) { service.props.set("Status", Value(status)); }

std::vector<std::string> dependencyNames(const DirNode &service) {
  const Value *value = service.props.find("Dependencies");
  std::vector<std::string> names;
  if (!value) return names;
  if (auto text = value->as<std::string>()) names.push_back(*text);
  if (auto list = value->as<Value::Array>())
    for (const auto &item : *list)
      names.push_back(item.toText());
  return names;
}

void start(DirNode &service, int depth) {
  int32_t status = numberOf(service, "Status");
  if (status == kServiceRunning || status == kServicePaused) throw LabError(code::kServiceAlreadyRunning);
  if (numberOf(service, "StartType") == kStartDisabled)
    throw LabError(depth == 0 ? code::kServiceDisabled : code::kDependencyFailed);
  if (depth > 16) throw LabError(code::kDependencyFailed);
  for (const auto &name : dependencyNames(service)) {
    if (!name.empty() && name[0] == '+') continue; // a load-order group
    DirNodePtr dependency = service.parent ? service.parent->child(name, "Service") : nullptr;
    if (!dependency) throw LabError(code::kDependencyFailed);
    if (numberOf(*dependency, "Status") == kServiceStopped) {
      try {
        start(*dependency, depth + 1);
      } catch (const LabError &) {
        throw LabError(code::kDependencyFailed);
      }
    }
  }
  setStatus(service, kServiceRunning);
}

} // namespace

void startService(DirNode &service) { start(service, 0); }

void stopService(DirNode &service) {
  if (numberOf(service, "Status") == kServiceStopped) throw LabError(code::kServiceNotActive);
  if (!service.canStop) throw LabError(code::kCannotAcceptControl);
  if (service.parent) {
    for (const auto &other : service.parent->children) {
      if (other.get() == &service || other->className != "Service") continue;
      if (numberOf(*other, "Status") == kServiceStopped) continue;
      for (const auto &name : dependencyNames(*other))
        if (equalsNoCase(name, service.name)) throw LabError(code::kDependentServicesRunning);
    }
  }
  setStatus(service, kServiceStopped);
}

void pauseService(DirNode &service) {
  if (numberOf(service, "Status") == kServiceStopped) throw LabError(code::kServiceNotActive);
  if (!service.canPause) throw LabError(code::kInvalidServiceControl);
  setStatus(service, kServicePaused);
}

void continueService(DirNode &service) {
  if (numberOf(service, "Status") == kServiceStopped) throw LabError(code::kServiceNotActive);
  if (!service.canPause) throw LabError(code::kInvalidServiceControl);
  setStatus(service, kServiceRunning);
}

void checkServiceWrite(std::string_view property, const Value &value) {
  double number = 0;
  if (equalsNoCase(property, "StartType")) {
    if (!value.toNumber(number) || number < 0 || number > 4 || number != static_cast<int32_t>(number))
      throw LabError(code::kInvalidArgument);
  } else if (equalsNoCase(property, "ErrorControl")) {
    if (!value.toNumber(number) || number < 0 || number > 3) throw LabError(code::kInvalidArgument);
  } else if (equalsNoCase(property, "Status")) {
    // The state changes only through start, Stop, Pause and Continue.
    throw LabError(code::kPropertyNotSupported);
  }
}

} // namespace qv::lab
