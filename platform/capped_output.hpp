#pragma once
// What a command capture keeps of a command's output: the first
// kCaptureKeepLimit bytes. Whatever follows is only counted, so a command
// that writes without end costs time but never memory.

#include <cstddef>
#include <string>

#include "platform/command_capture.hpp"

namespace qv::platform {

class CappedOutput {
public:
  // reserve: bytes to set aside at once. Where untouched memory costs
  // nothing (POSIX), the whole limit, so the kept bytes are never copied to
  // a larger buffer on the way.
  explicit CappedOutput(std::size_t reserve = 0) { kept_.reserve(reserve); }

  void append(const char *bytes, std::size_t count) {
    const std::size_t room = kCaptureKeepLimit - kept_.size();
    kept_.append(bytes, count < room ? count : room);
    if (count > room) dropped_ += count - room;
  }
  bool cut() const { return dropped_ > 0; }
  // The memory set aside for the kept bytes.
  const char *data() const { return kept_.data(); }
  std::size_t capacity() const { return kept_.capacity(); }
  std::string take() { return std::move(kept_); }

private:
  std::string kept_;
  std::size_t dropped_ = 0;
};

} // namespace qv::platform
