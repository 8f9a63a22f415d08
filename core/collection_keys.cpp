#include "core/collection_keys.hpp"

#include <string>

namespace qv {

VariantArray keysOf(const Collection &collection) {
  VariantArray keys;
  keys.items.reserve(collection.size());
  for (std::size_t position = 1; position <= collection.size(); ++position) {
    auto key = collection.keyAt(position);
    keys.items.emplace_back(key ? std::move(*key) : std::to_string(position));
  }
  return keys;
}

} // namespace qv
