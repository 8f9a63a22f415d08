#pragma once
// Runs one command line hidden on this computer and captures what it prints.
//
// The child's standard output and standard error share one pipe, so the two
// streams arrive interleaved in the order the child wrote them. Its standard
// input is empty and it has no terminal or window. The pipe is read in blocks
// of at most kCaptureReadSize bytes until it ends, and the first
// kCaptureKeepLimit bytes are kept: the rest is read and dropped (so the
// child is never blocked on a full pipe) and notice is told that the output
// was cut. The kept bytes are decoded once at the end (the system's 8-bit
// code page on Windows; UTF-8 on POSIX, with invalid bytes replaced), so a
// multi-byte character split across two reads stays whole.
//
// The end of the pipe is the end of the capture: whatever the command left
// running then (a child that closed its output and runs on, or anything it
// started) is ended at once, without waiting for it. Nothing is raised: when
// the child cannot be started the result is the empty text and notice
// receives startFailureNotice. A command that still holds the pipe open after
// limit is ended together with everything it started, notice is told, and
// the capture fails with an AutomationError numbered kCaptureTimeoutNumber:
// what was read so far may be any part of the output, and a caller must not
// take it for the whole.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace qv::platform {

inline constexpr std::size_t kCaptureReadSize = 64 * 1024;
inline constexpr std::size_t kCaptureKeepLimit = 32 * 1024 * 1024;
// ERROR_TIMEOUT as an HRESULT.
inline constexpr int32_t kCaptureTimeoutNumber = static_cast<int32_t>(0x800705B4u);

// What could not be made for a command that did not start.
enum class StartFailure { Pipe, Process };

// "CreatePipe failed. Error: " or "CreateProcess failed. Error: ", followed
// by the system's error code in decimal.
std::string startFailureNotice(StartFailure failure, long long code);
// Whether a notice is one of those: the command never ran.
bool isStartFailureNotice(std::string_view notice);

// The notice given when output beyond kCaptureKeepLimit was dropped.
std::string outputCutNotice(const std::string &commandLine);

// Tells notice that the command ran out of time, then fails as above.
[[noreturn]] void failAfterLimit(const std::string &commandLine, std::chrono::milliseconds limit,
                                 const std::function<void(const std::string &)> &notice);

// POSIX: commandLine is run by "/bin/sh -c"; on Windows it is a CreateProcess
// command line (normally "cmd.exe /C ...").
std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit = std::chrono::seconds(120));

// The same capture, reporting the byte count of every successful read to
// onRead (diagnostics and tests).
std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit,
                                 const std::function<void(std::size_t)> &onRead);

} // namespace qv::platform
