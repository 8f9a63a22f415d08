#include "core/variant.hpp"

namespace qv {

bool Variant::operator==(const Variant &other) const {
  if (kind() != other.kind()) return false;
  if (kind() == VarKind::Array) {
    const auto &a = array();
    const auto &b = other.array();
    return a.lowerBound == b.lowerBound && a.items == b.items;
  }
  return value_ == other.value_;
}

} // namespace qv
