#include "lab/model/property_bag.hpp"

#include "lab/model/text.hpp"

namespace qv::lab {

const Value *PropertyBag::find(std::string_view name) const {
  for (const auto &entry : entries_)
    if (equalsNoCase(entry.first, name)) return &entry.second;
  return nullptr;
}

Value *PropertyBag::find(std::string_view name) {
  for (auto &entry : entries_)
    if (equalsNoCase(entry.first, name)) return &entry.second;
  return nullptr;
}

const std::string *PropertyBag::spelling(std::string_view name) const {
  for (const auto &entry : entries_)
    if (equalsNoCase(entry.first, name)) return &entry.first;
  return nullptr;
}

void PropertyBag::set(std::string_view name, Value value) {
  if (Value *existing = find(name)) {
    *existing = std::move(value);
    return;
  }
  entries_.emplace_back(std::string(name), std::move(value));
}

} // namespace qv::lab
