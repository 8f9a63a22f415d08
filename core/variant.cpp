#include "core/variant.hpp"

namespace qv {

bool Variant::operator==(const Variant& other) const {
  if (kind() != other.kind()) return false;
  if (kind() == VarKind::Array) {
    const auto& a = array();
    const auto& b = other.array();
    return a.lowerBound == b.lowerBound && a.element == b.element && a.items == b.items;
  }
  return value_ == other.value_;
}

const char* kindName(VarKind kind) {
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
