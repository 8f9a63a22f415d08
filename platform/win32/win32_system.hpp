#pragma once
// The calls the component makes to the Windows computer it runs on.

#include "core/system.hpp"

namespace qv::win32 {

class Win32System : public System {
public:
  std::optional<std::string> computerName() override;
  // NetWkstaGetInfo at level 102; nullopt when it fails.
  std::optional<std::string> workgroupName() override;
  // ShellExecute, hidden.
  LaunchResult launch(const std::string &program, const std::string &parameters) override;
  std::string captureCommandOutput(const std::string &commandLine) override;
  uint64_t folderSize(const std::string &path) override;
  bool fileExists(const std::string &path) override;
  std::optional<std::string> environment(const std::string &name) override;
  void operatorNotice(const std::string &text) override;
  Date nowLocal() override;
  Date nowUtc() override;
  Date localToUniversal(Date local) override;
};

} // namespace qv::win32
