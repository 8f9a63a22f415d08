#pragma once
// Automation errors: what every failure of the component becomes.

#include <cstdint>
#include <exception>
#include <string>

namespace qv {

// The source of errors the component detects itself.
inline constexpr const char *kSource = "Quorvane";

// Scripting-runtime error numbers the component raises itself. At the COM
// boundary a number n below 0x10000 becomes the HRESULT 0x800A0000 | n; any
// other number (a platform HRESULT) passes unchanged.
enum RuntimeError : int32_t {
  kInvalidCall = 5,
  kOverflow = 6,
  kSubscriptOutOfRange = 9,
  kDivisionByZero = 11,
  kTypeMismatch = 13,
  kObjectNotSet = 91,
  kInvalidUseOfNull = 94,
  kNoSuchMember = 438,
  kDuplicateKey = 457,
};

class AutomationError : public std::exception {
public:
  AutomationError(int32_t number, std::string source, std::string description)
      : number_(number), source_(std::move(source)), description_(std::move(description)) {}

  int32_t number() const { return number_; }
  const std::string &source() const { return source_; }
  const std::string &description() const { return description_; }
  const char *what() const noexcept override { return description_.c_str(); }

private:
  int32_t number_;
  std::string source_;
  std::string description_;
};

// The runtime's English text for one of its own numbers ("" when unknown).
const char *runtimeErrorText(int32_t number);

// An error the component detects itself, with the runtime's text.
AutomationError runtimeError(int32_t number);

// Same number and source, another description (for errors raised inside a
// method whose handler then stacks its own message).
AutomationError runtimeError(int32_t number, std::string description);

[[noreturn]] void throwRuntimeError(int32_t number);

} // namespace qv
