#pragma once
// Runs one command line hidden on this computer and captures what it prints.
//
// The child's standard output and standard error share one pipe, so the two
// streams arrive interleaved in the order the child wrote them. Its standard
// input is empty and it has no terminal or window. The bytes are read to the
// end of the pipe in reads of at most kCaptureReadSize bytes, collected, and
// decoded once at the end (the system's 8-bit code page on Windows; UTF-8 on
// POSIX, with invalid bytes replaced), so a multi-byte character split across
// two reads stays whole.
//
// Nothing is raised: when the child cannot be started the result is the empty
// text and notice receives "CreatePipe failed. Error: " or "CreateProcess
// failed. Error: " followed by the system's error code in decimal. A child
// (or anything it started) that still holds the pipe open after limit is
// ended together with everything it started; what was read so far is
// returned and notice is told.

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

namespace qv::platform {

inline constexpr std::size_t kCaptureReadSize = 256;

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
