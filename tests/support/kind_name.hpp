#pragma once
// The runtime's name of a value's kind, for test messages.

#include "core/variant.hpp"

namespace qv {

inline const char *kindName(VarKind kind) {
  switch (kind) {
  case VarKind::Empty: return "Empty";
  case VarKind::Null: return "Null";
  case VarKind::Int16: return "Integer";
  case VarKind::Int32: return "Long";
  case VarKind::Double: return "Double";
  case VarKind::Date: return "Date";
  case VarKind::Text: return "String";
  case VarKind::Bool: return "Boolean";
  case VarKind::Object: return "Object";
  case VarKind::Array: return "Array";
  case VarKind::Byte: return "Byte";
  }
  return "Unknown";
}

} // namespace qv
