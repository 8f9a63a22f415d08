#pragma once
// Named values in a fixed order, found without regard to letter case; each
// keeps the spelling it was first given.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "lab/model/value.hpp"

namespace qv::lab {

class PropertyBag {
public:
  using Entry = std::pair<std::string, Value>;

  const Value *find(std::string_view name) const;
  Value *find(std::string_view name);
  // The stored spelling of a name, or null.
  const std::string *spelling(std::string_view name) const;
  // Replaces the value of a name already present, else appends it.
  void set(std::string_view name, Value value);
  const std::vector<Entry> &entries() const { return entries_; }
  bool empty() const { return entries_.empty(); }

private:
  std::vector<Entry> entries_;
};

} // namespace qv::lab
