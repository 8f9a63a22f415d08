#include "fleet/plain_arguments.hpp"

#include "core/automation_error.hpp"

namespace qv::fleet {

Variant plainArgument(const Variant &value) {
  if (value.isObject()) {
    if (!value.object()) return value;
    throw runtimeError(kTypeMismatch, "Run: an argument holds an object, which cannot go to another thread");
  }
  if (!value.isArray()) return value;
  const VariantArray &source = value.array();
  VariantArray copy;
  copy.lowerBound = source.lowerBound;
  copy.element = source.element;
  copy.items.reserve(source.items.size());
  for (const Variant &item : source.items)
    copy.items.push_back(plainArgument(item));
  return Variant(std::move(copy));
}

} // namespace qv::fleet
