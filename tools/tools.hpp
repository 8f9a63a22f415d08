#pragma once
// Quorvane.Tools: reboot, connection test and small checks of the
// administration host.

#include <cstdint>
#include <optional>
#include <string>

#include "core/platform.hpp"

namespace qv {

class Tools {
public:
  explicit Tools(Platform platform);

  // Read-only property: the text left by the last failed tryConnection
  // (empty until one fails; a later success keeps it).
  std::string message() const { return message_; }
  // Reboots computer, or "127.0.0.1" when it is the local computer's name
  // (letter case and surrounding blanks ignored); that replacement is written
  // back. Returns the shell's launch code. No handler; a name that would not
  // be a plain computer name fails with 5.
  int32_t rebootComputer(std::string &computer);
  // True when the workgroup (or the computer of it, when that is not blank)
  // can be opened; otherwise false and the connection message. Never fails.
  bool tryConnection(const std::string &workgroup,
                     const std::optional<std::string> &computerName = std::nullopt);
  // Whether %windir%\system32\shutdown.exe exists on the host. No handler.
  bool gotBootTool();
  // "workgroup,computer" of the host when its workstation service is not
  // running, else "". Reports "Error getting singleServerMode status".
  std::string singleServerMode();
  // Whether the host's service runs. Reports "Error getting
  // running status for the" + service + " service".
  bool serviceIsRunning(const std::string &service);

private:
  struct LocalHost {
    std::string computer;
    std::string workgroup;
  };
  LocalHost localHost();
  // The status of a service of the host, read through a Services object of
  // its own.
  int32_t localServiceStatus(const LocalHost &host, const std::string &service);

  Platform platform_;
  std::string message_;
};

} // namespace qv
