#include <string>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

std::string toText(const Variant &value, const Regional &regional) {
  switch (value.kind()) {
  case VarKind::Empty: return std::string();
  case VarKind::Null: throwRuntimeError(kInvalidUseOfNull);
  case VarKind::Int16: return std::to_string(value.int16());
  case VarKind::Int32: return std::to_string(value.int32());
  case VarKind::Byte: return std::to_string(value.byteValue());
  case VarKind::Double: return regional.doubleToText(value.dbl());
  case VarKind::Date: return regional.dateToText(value.date());
  case VarKind::Text: return value.text();
  case VarKind::Bool: return value.boolean() ? "True" : "False";
  case VarKind::Object:
  case VarKind::Array: break;
  }
  throwRuntimeError(kTypeMismatch);
}

} // namespace qv
