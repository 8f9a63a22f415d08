#include <cmath>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/date_math.hpp"

namespace qv {

Date toDate(const Variant &value, const Regional &regional) {
  switch (value.kind()) {
  case VarKind::Date: return value.date();
  case VarKind::Null: throwRuntimeError(kInvalidUseOfNull);
  case VarKind::Text:
    if (auto date = regional.textToDate(value.text())) return *date;
    throwRuntimeError(kTypeMismatch);
  case VarKind::Object:
  case VarKind::Array: throwRuntimeError(kTypeMismatch);
  default: break;
  }
  // Numbers are serials: whole days from 1899-12-30, the time as fraction.
  double serial = toDouble(value);
  if (!std::isfinite(serial) || !dates::serialInRange(serial)) throwRuntimeError(kOverflow);
  return Date{serial};
}

} // namespace qv
