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

void settleNow(DirNode &service) {
  if (!service.transition) return;
  setStatus(service, service.transition->settlesTo);
  service.transition.reset();
}

void begin(DirNode &service, int32_t pending, int32_t settled, int64_t now) {
  if (service.pendingMs <= 0) {
    service.transition.reset();
    return setStatus(service, settled);
  }
  setStatus(service, pending);
  service.transition = DirNode::Transition{settled, now + service.pendingMs};
}

// A service between running and stopped takes no control but start's own.
bool startingOrStopping(int32_t status) {
  return status == kServiceStartPending || status == kServiceStopPending;
}

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

void start(DirNode &service, int64_t now, int depth) {
  if (serviceStatus(service, now) != kServiceStopped) throw LabError(code::kServiceAlreadyRunning);
  if (numberOf(service, "StartType") == kStartDisabled)
    throw LabError(depth == 0 ? code::kServiceDisabled : code::kDependencyFailed);
  if (depth > 16) throw LabError(code::kDependencyFailed);
  for (const auto &name : dependencyNames(service)) {
    if (!name.empty() && name[0] == '+') continue; // a load-order group
    DirNodePtr dependency = service.parent ? service.parent->child(name, "Service") : nullptr;
    if (!dependency) throw LabError(code::kDependencyFailed);
    int32_t status = serviceStatus(*dependency, now);
    if (status == kServiceStopPending) throw LabError(code::kDependencyFailed);
    if (status == kServiceStopped) {
      try {
        start(*dependency, now, depth + 1);
      } catch (const LabError &) {
        throw LabError(code::kDependencyFailed);
      }
    }
    settleNow(*dependency);
  }
  begin(service, kServiceStartPending, kServiceRunning, now);
}

// Stopped, starting or stopping: the checks pause, continue and stop share.
void checkControllable(DirNode &service, int64_t now) {
  int32_t status = serviceStatus(service, now);
  if (status == kServiceStopped) throw LabError(code::kServiceNotActive);
  if (startingOrStopping(status)) throw LabError(code::kCannotAcceptControl);
}

} // namespace

int32_t serviceStatus(DirNode &service, int64_t nowMs) {
  if (service.transition && nowMs >= service.transition->atMs) settleNow(service);
  return numberOf(service, "Status");
}

void startService(DirNode &service, int64_t nowMs) { start(service, nowMs, 0); }

void stopService(DirNode &service, int64_t nowMs) {
  checkControllable(service, nowMs);
  if (!service.canStop) throw LabError(code::kInvalidServiceControl);
  if (service.parent) {
    for (const auto &other : service.parent->children) {
      if (other.get() == &service || other->className != "Service") continue;
      if (serviceStatus(*other, nowMs) == kServiceStopped) continue;
      for (const auto &name : dependencyNames(*other))
        if (equalsNoCase(name, service.name)) throw LabError(code::kDependentServicesRunning);
    }
  }
  begin(service, kServiceStopPending, kServiceStopped, nowMs);
}

void pauseService(DirNode &service, int64_t nowMs) {
  checkControllable(service, nowMs);
  if (!service.canPause) throw LabError(code::kInvalidServiceControl);
  int32_t status = serviceStatus(service, nowMs);
  if (status == kServicePaused || status == kServicePausePending) return;
  begin(service, kServicePausePending, kServicePaused, nowMs);
}

void continueService(DirNode &service, int64_t nowMs) {
  checkControllable(service, nowMs);
  if (!service.canPause) throw LabError(code::kInvalidServiceControl);
  int32_t status = serviceStatus(service, nowMs);
  if (status == kServiceRunning || status == kServiceContinuePending) return;
  begin(service, kServiceContinuePending, kServiceRunning, nowMs);
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
