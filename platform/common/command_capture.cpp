#include "platform/command_capture.hpp"

namespace qv::platform {

std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit) {
  return captureCommandOutput(commandLine, notice, limit, nullptr);
}

std::string outputCutNotice(const std::string &commandLine) {
  return "Command output cut after " + std::to_string(kCaptureKeepLimit) +
         " bytes; the rest was read and dropped: " + commandLine;
}

} // namespace qv::platform
