#pragma once
// A scripted administration host for tests: names, launches, command output,
// folders, files, environment, notices and the clock are what the test says.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/system.hpp"

namespace qv::fake {

class System : public qv::System {
public:
  std::optional<std::string> computerName() override { return computer; }
  std::optional<std::string> workgroupName() override { return workgroup; }
  LaunchResult launch(const std::string &program, const std::string &parameters) override {
    launches.emplace_back(program, parameters);
    return launchResult;
  }
  std::string captureCommandOutput(const std::string &commandLine) override {
    commands.push_back(commandLine);
    if (captureFailure) throw *captureFailure;
    auto found = commandOutputs.find(commandLine);
    return found == commandOutputs.end() ? std::string() : found->second;
  }
  uint64_t folderSize(const std::string &path) override {
    folderReads.push_back(path);
    auto found = folders.find(path);
    if (found == folders.end())
      throw AutomationError(76, "Microsoft VBScript runtime error", "Path not found");
    return found->second;
  }
  bool fileExists(const std::string &path) override { return files.contains(path); }
  std::optional<std::string> environment(const std::string &name) override {
    auto found = variables.find(name);
    return found == variables.end() ? std::nullopt : std::optional<std::string>(found->second);
  }
  void operatorNotice(const std::string &text) override { notices.push_back(text); }
  Date nowLocal() override { return localNow; }
  Date nowUtc() override { return utcNow; }

  std::optional<std::string> computer = "ADMINHOST";
  std::optional<std::string> workgroup = "LAB";
  LaunchResult launchResult = LaunchResult::started;
  std::map<std::string, std::string> commandOutputs; // command line -> output; others give ""
  std::optional<AutomationError> captureFailure;     // every capture fails with it (a time-out)
  std::map<std::string, uint64_t> folders;           // path -> bytes; others fail
  std::map<std::string, bool> files;
  std::map<std::string, std::string> variables;
  Date localNow{46000.5};
  Date utcNow{46000.5};

  std::vector<std::pair<std::string, std::string>> launches; // program, parameters
  std::vector<std::string> commands;                         // command lines run
  std::vector<std::string> folderReads;
  std::vector<std::string> notices;
};

} // namespace qv::fake
