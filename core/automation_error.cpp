#include "core/automation_error.hpp"

namespace qv {

const char *runtimeErrorText(int32_t number) {
  switch (number) {
  case kInvalidCall: return "Invalid procedure call or argument";
  case kOverflow: return "Overflow";
  case kSubscriptOutOfRange: return "Subscript out of range";
  case kDivisionByZero: return "Division by zero";
  case kTypeMismatch: return "Type mismatch";
  case kObjectNotSet: return "Object variable or With block variable not set";
  case kInvalidUseOfNull: return "Invalid use of Null";
  case kNoSuchMember: return "Object doesn't support this property or method";
  case kDuplicateKey: return "This key is already associated with an element of this collection";
  default: return "";
  }
}

AutomationError runtimeError(int32_t number) {
  return AutomationError(number, kSource, runtimeErrorText(number));
}

AutomationError runtimeError(int32_t number, std::string description) {
  return AutomationError(number, kSource, std::move(description));
}

void throwRuntimeError(int32_t number) { throw runtimeError(number); }

} // namespace qv
