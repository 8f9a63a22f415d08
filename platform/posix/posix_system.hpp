#pragma once
// The host calls of the native (POSIX) build.

#include "core/system.hpp"

namespace qv::posix {

class PosixSystem : public System {
public:
  // The host name; nullopt when gethostname fails.
  std::optional<std::string> computerName() override;
  // POSIX hosts have no workgroup: always the status 50 (not supported),
  // without calling use.
  uint32_t withWorkgroupName(const std::function<void(const char16_t *)> &use) override;
  // Starts program (looked up in PATH) with parameters split at blanks, no
  // shell, detached in its own session with its standard streams on
  // /dev/null. 42 when it started; otherwise a shell-like code: 2 not found,
  // 3 a path part is not a folder, 5 refused, 8 out of resources, 11 not an
  // executable, 31 any other failure.
  int32_t launch(const std::string &program, const std::string &parameters) override;
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
};

} // namespace qv::posix
