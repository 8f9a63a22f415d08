#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/number_reading.hpp"

namespace qv {

namespace {

// The value as a number; a text is read through regional, and fails with 13
// when there is none to read it.
double numericValue(const Variant &value, const Regional *regional) {
  switch (value.kind()) {
  case VarKind::Empty: return 0.0;
  case VarKind::Null: throwRuntimeError(kInvalidUseOfNull);
  case VarKind::Int16: return value.int16();
  case VarKind::Int32: return value.int32();
  case VarKind::Byte: return value.byteValue();
  case VarKind::Double: return value.dbl();
  case VarKind::Date: return value.date().serial;
  case VarKind::Bool: return value.boolean() ? -1.0 : 0.0;
  case VarKind::Text:
    if (regional != nullptr) {
      if (auto number = regional->textToNumber(value.text())) return *number;
    }
    throwRuntimeError(kTypeMismatch);
  case VarKind::Object:
  case VarKind::Array: break;
  }
  throwRuntimeError(kTypeMismatch);
}

} // namespace

int16_t toInt16(const Variant &value, const Regional &regional) {
  if (value.kind() == VarKind::Int16) return value.int16();
  return roundToInt16(numericValue(value, &regional));
}

int32_t toInt32(const Variant &value, const Regional &regional) {
  if (value.kind() == VarKind::Int32) return value.int32();
  return roundToInt32(numericValue(value, &regional));
}

int32_t toInt32(const Variant &value) {
  if (value.kind() == VarKind::Int32) return value.int32();
  return roundToInt32(numericValue(value, nullptr));
}

double toDouble(const Variant &value, const Regional &regional) { return numericValue(value, &regional); }

double toDouble(const Variant &value) { return numericValue(value, nullptr); }

bool toBool(const Variant &value, const Regional &regional) {
  switch (value.kind()) {
  case VarKind::Bool: return value.boolean();
  case VarKind::Text: {
    std::string_view text = trim(value.text());
    if (equalsIgnoreCase(text, "True")) return true;
    if (equalsIgnoreCase(text, "False")) return false;
    break;
  }
  default: break;
  }
  return numericValue(value, &regional) != 0.0;
}

} // namespace qv
