#pragma once
// The few calls the component makes to the computer it runs on.

#include <cstdint>
#include <optional>
#include <string>

#include "core/variant.hpp"

namespace qv {

// How a launch ended: the program started, or why it did not.
enum class LaunchResult {
  started,
  programNotFound,
  folderNotFound, // a part of the program's path is not a folder
  accessDenied,
  outOfResources,
  notAProgram,
  failed, // any other reason
};

class System {
public:
  virtual ~System() = default;

  // The local computer's name as the platform reports it; nullopt when the
  // call fails.
  virtual std::optional<std::string> computerName() = 0;
  // The local workgroup or domain name; nullopt when the platform cannot
  // say (no network client, or its call failed).
  virtual std::optional<std::string> workgroupName() = 0;

  // Starts program with parameters, hidden, without waiting.
  virtual LaunchResult launch(const std::string &program, const std::string &parameters) = 0;
  // Runs a command line hidden, its standard output and error joined, and
  // returns all it printed (the empty text when it could not start).
  virtual std::string captureCommandOutput(const std::string &commandLine) = 0;

  // Total bytes of the files in a folder tree; fails with an AutomationError
  // when the folder cannot be opened.
  virtual uint64_t folderSize(const std::string &path) = 0;
  virtual bool fileExists(const std::string &path) = 0;
  // An environment variable; nullopt when unset.
  virtual std::optional<std::string> environment(const std::string &name) = 0;
  // The operator notice: to the host's application log, never a dialog.
  virtual void operatorNotice(const std::string &text) = 0;

  virtual Date nowLocal() = 0;
  virtual Date nowUtc() = 0;
  // A wall-clock time of this host's zone as universal time, by the host's
  // own zone rules for that date (summer time included).
  virtual Date localToUniversal(Date local) = 0;
};

} // namespace qv
