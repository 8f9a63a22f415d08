#pragma once
// The host calls of the native (POSIX) build.

#include "core/system.hpp"

namespace qv::posix {

class PosixSystem : public System {
public:
  // The host name; nullopt when gethostname fails.
  std::optional<std::string> computerName() override;
  // POSIX hosts have no workgroup: always nullopt.
  std::optional<std::string> workgroupName() override;
  // Starts program (looked up in PATH) with parameters split at blanks, no
  // shell, detached in its own session with its standard streams on
  // /dev/null.
  LaunchResult launch(const std::string &program, const std::string &parameters) override;
  // "/bin/sh -c" commandLine; failures to start go to operatorNotice.
  std::string captureCommandOutput(const std::string &commandLine) override;
  uint64_t folderSize(const std::string &path) override;
  // A regular file (or a link to one).
  bool fileExists(const std::string &path) override;
  std::optional<std::string> environment(const std::string &name) override;
  // syslog, LOG_USER | LOG_WARNING, ident "Quorvane".
  void operatorNotice(const std::string &text) override;
  // The clock in whole seconds.
  Date nowLocal() override;
  Date nowUtc() override;
  Date localToUniversal(Date local) override;
};

} // namespace qv::posix
