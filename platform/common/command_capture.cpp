#include "platform/command_capture.hpp"

#include "core/automation_error.hpp"

namespace qv::platform {

std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit) {
  return captureCommandOutput(commandLine, notice, limit, nullptr);
}

namespace {
constexpr std::string_view kPipeFailed = "CreatePipe failed. Error: ";
constexpr std::string_view kProcessFailed = "CreateProcess failed. Error: ";
} // namespace

std::string startFailureNotice(StartFailure failure, long long code) {
  return std::string(failure == StartFailure::Pipe ? kPipeFailed : kProcessFailed) + std::to_string(code);
}

bool isStartFailureNotice(std::string_view notice) {
  return notice.starts_with(kPipeFailed) || notice.starts_with(kProcessFailed);
}

std::string outputCutNotice(const std::string &commandLine) {
  return "Command output cut after " + std::to_string(kCaptureKeepLimit) +
         " bytes; the rest was read and dropped: " + commandLine;
}

void failAfterLimit(const std::string &commandLine, std::chrono::milliseconds limit,
                    const std::function<void(const std::string &)> &notice) {
  const std::string span = limit.count() % 1000 == 0 ? std::to_string(limit.count() / 1000) + " s"
                                                     : std::to_string(limit.count()) + " ms";
  if (notice) notice("Command ended after its time limit of " + span + ": " + commandLine);
  throw AutomationError(kCaptureTimeoutNumber, kSource, "the command did not end within " + span);
}

} // namespace qv::platform
