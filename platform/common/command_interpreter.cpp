#include "platform/command_interpreter.hpp"

namespace qv::platform {

std::string commandInterpreter(bool underWow64, std::string_view windowsFolder,
                               const std::function<bool(const std::string &)> &fileExists) {
  constexpr const char *plain = "cmd.exe";
  while (!windowsFolder.empty() && (windowsFolder.back() == '\\' || windowsFolder.back() == '/'))
    windowsFolder.remove_suffix(1);
  if (!underWow64 || windowsFolder.empty()) return plain;
  std::string native = std::string(windowsFolder) + "\\Sysnative\\cmd.exe";
  if (!fileExists(native)) return plain;
  if (native.find(' ') != std::string::npos) return "\"" + native + "\"";
  return native;
}

} // namespace qv::platform
