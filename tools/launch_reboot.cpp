#include "tools/launch_reboot.hpp"

#include <algorithm>
#include <limits>

#include "core/automation_error.hpp"

namespace qv {

namespace {

bool isNameCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
         c == '_' || c == ':';
}

constexpr int32_t kStartedCode = 42;

// The code the shell's launch gives scripts: above 32 when the program
// started, otherwise the reason.
int32_t shellCode(LaunchResult result) {
  switch (result) {
  case LaunchResult::started: return kStartedCode;
  case LaunchResult::programNotFound: return 2;
  case LaunchResult::folderNotFound: return 3;
  case LaunchResult::accessDenied: return 5;
  case LaunchResult::outOfResources: return 8;
  case LaunchResult::notAProgram: return 11;
  case LaunchResult::failed: break;
  }
  return 31;
}

} // namespace

int32_t rebootCode(const Launch &launch) {
  if (!launch.shellCode) return shellCode(launch.result);
  const int64_t code = *launch.shellCode;
  if (code > 32) {
    // A started program's code is a handle-sized number; cut to 32 bits it
    // must still read as started.
    const auto narrowed = static_cast<int32_t>(static_cast<uint32_t>(code));
    return narrowed > 32 ? narrowed : kStartedCode;
  }
  return static_cast<int32_t>(std::max<int64_t>(code, std::numeric_limits<int32_t>::min()));
}

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
  return rebootCode(system.launch("shutdown.exe", "-f -r -t 1 -m \\\\" + computer));
}

} // namespace qv
