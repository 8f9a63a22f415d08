#include "tests/fakes/fake_system.hpp"

#include "core/automation_error.hpp"

namespace qv::fake {

LaunchResult System::launch(const std::string &program, const std::string &parameters) {
  launches.emplace_back(program, parameters);
  return launchResult;
}

std::string System::captureCommandOutput(const std::string &commandLine) {
  commands.push_back(commandLine);
  auto found = commandOutputs.find(commandLine);
  return found == commandOutputs.end() ? std::string() : found->second;
}

uint64_t System::folderSize(const std::string &path) {
  folderReads.push_back(path);
  auto found = folders.find(path);
  if (found == folders.end()) throw AutomationError(76, "Microsoft VBScript runtime error", "Path not found");
  return found->second;
}

std::optional<std::string> System::environment(const std::string &name) {
  auto found = variables.find(name);
  if (found == variables.end()) return std::nullopt;
  return found->second;
}

} // namespace qv::fake
