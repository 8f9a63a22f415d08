#include "tools/launch_reboot.hpp"

#include "core/automation_error.hpp"

namespace qv {

namespace {

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == ':';
}

} // namespace

bool isRebootTargetName(std::string_view name) {
  if (name.empty() || name.front() == '-') return false;
  for (char c : name) {
    if (!isNameCharacter(c)) return false;
  }
  return true;
}

int32_t launchReboot(System &system, const std::string &computer) {
  if (!isRebootTargetName(computer))
    throw runtimeError(kInvalidCall, "rebootComputer: invalid computer name");
  return system.launch("shutdown.exe", "-f -r -t 1 -m \\\\" + computer);
}

} // namespace qv
