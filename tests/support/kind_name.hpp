#pragma once
// The runtime's name of a value's kind, for test messages.

#include "core/variant.hpp"

namespace qv {

inline const char *kindName(VarKind kind) {
  // In the order of VarKind.
  static const char *const names[] = {"Empty",  "Null",    "Integer", "Long",  "Double", "Date",
                                      "String", "Boolean", "Object",  "Array", "Byte"};
  const auto index = static_cast<std::size_t>(kind);
  return index < std::size(names) ? names[index] : "Unknown";
}

} // namespace qv
