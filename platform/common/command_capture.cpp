#include "platform/command_capture.hpp"

namespace qv::platform {

std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit) {
  return captureCommandOutput(commandLine, notice, limit, nullptr);
}

} // namespace qv::platform
