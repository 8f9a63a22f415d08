#pragma once
// What every fuzz target shares: a broken invariant stops the run with the
// input's story on stderr, a failure may only be an automation error, and the
// input is cut into the pieces a target needs.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include "core/automation_error.hpp"

namespace qv::fuzz {

// Stops the run: libFuzzer keeps the input that got here as a crash.
[[noreturn]] inline void broken(const std::string &what) {
  std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

inline void require(bool holds, const std::string &what) {
  if (!holds) broken(what);
}

// Runs call; a failure other than an automation error escapes, and the run
// stops on it as on any other crash.
template <class Call> std::optional<AutomationError> failureOf(Call &&call) {
  try {
    call();
    return std::nullopt;
  } catch (const AutomationError &error) {
    return error;
  }
}

// The error is one of the runtime's own numbers, from the component itself.
inline void requireRuntimeError(const AutomationError &error, std::initializer_list<int32_t> allowed,
                                const std::string &context) {
  bool known = false;
  for (int32_t number : allowed)
    known = known || error.number() == number;
  require(known, context + ": unexpected error number " + std::to_string(error.number()) + " (" +
                     error.description() + ")");
  require(error.source() == kSource, context + ": unexpected source " + error.source());
}

// The error was reported under message: "message: " and the inner text.
inline void requireReportedAs(const AutomationError &error, std::string_view message,
                              std::initializer_list<int32_t> allowed, const std::string &context) {
  requireRuntimeError(error, allowed, context);
  std::string prefix = std::string(message) + ": ";
  require(error.description().rfind(prefix, 0) == 0,
          context + ": description without its message: " + error.description());
  std::string inner = error.description().substr(prefix.size());
  require(inner == runtimeErrorText(error.number()),
          context + ": description does not carry the runtime text: " + error.description());
}

// The input read front to back; past its end every read gives zeros.
class Input {
public:
  Input(const uint8_t *data, std::size_t size) : data_(data), size_(size) {}

  uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }

  template <class T> T number() {
    T value{};
    uint8_t raw[sizeof(T)] = {};
    for (auto &b : raw)
      b = byte();
    std::memcpy(&value, raw, sizeof(T));
    return value;
  }

  // Everything not read yet, as text.
  std::string_view rest() {
    std::string_view text(reinterpret_cast<const char *>(data_) + pos_, size_ - pos_);
    pos_ = size_;
    return text;
  }

private:
  const uint8_t *data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

inline std::string show(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    auto u = static_cast<unsigned char>(c);
    if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\') {
      out.push_back(c);
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", u);
      out.append(buffer);
    }
  }
  return out + "\"";
}

} // namespace qv::fuzz
