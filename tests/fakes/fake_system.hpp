#pragma once
// A scripted administration host for tests: names, launches, command output,
// folders, files, environment, notices and the clock are what the test says.

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/date_math.hpp"
#include "core/system.hpp"

namespace qv::fake {

class System : public qv::System {
public:
  std::optional<std::string> computerName() override { return computer; }
  std::optional<std::string> workgroupName() override { return workgroup; }
  Launch launch(const std::string &program, const std::string &parameters) override {
    launches.emplace_back(program, parameters);
    return launchResult;
  }
  std::string commandInterpreter() override { return interpreter; }
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
  bool fileExists(const std::string &) override { return false; }
  std::optional<std::string> environment(const std::string &) override { return std::nullopt; }
  void operatorNotice(const std::string &) override {}
  Date nowLocal() override { return localNow; }
  Date nowUtc() override { return utcNow; }
  Date universalToLocal(Date universal) override { return moved(universal, zoneMinutes(universal)); }
  // The offset in force at the universal moment that the first guess
  // reaches, as a zone's own conversion settles it.
  Date localToUniversal(Date local) override {
    Date guess = moved(local, -zoneMinutes(local));
    return moved(local, -zoneMinutes(guess));
  }

  std::optional<std::string> computer = "ADMINHOST";
  std::optional<std::string> workgroup = "LAB";
  Launch launchResult = LaunchResult::started;
  std::string interpreter = "cmd.exe";
  std::map<std::string, std::string> commandOutputs; // command line -> output; others give ""
  std::optional<AutomationError> captureFailure;     // every capture fails with it (a time-out)
  std::map<std::string, uint64_t> folders;           // path -> bytes; others fail
  Date localNow{46000.5};
  Date utcNow{46000.5};
  // Local time minus universal time at a universal moment.
  std::function<int32_t(Date)> zoneMinutes = [](Date) { return 0; };

  std::vector<std::pair<std::string, std::string>> launches; // program, parameters
  std::vector<std::string> commands;                         // command lines run
  std::vector<std::string> folderReads;

private:
  static Date moved(Date moment, int32_t minutes) {
    auto serial = dates::serialFromSeconds(dates::secondsFromSerial(moment.serial) + int64_t{minutes} * 60);
    if (!serial) throwRuntimeError(kOverflow);
    return Date{*serial};
  }
};

} // namespace qv::fake
