#pragma once
// The keys or items of a collection, in order, and lists of names written as
// one text, for comparing them.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "core/collection.hpp"

namespace qv::test {

inline std::vector<std::string> keysOf(const Collection &collection) {
  std::vector<std::string> keys;
  for (std::size_t i = 1; i <= collection.size(); ++i)
    keys.push_back(collection.keyAt(i).value_or("<none>"));
  return keys;
}

// The items of a collection, in order.
inline std::vector<Variant> itemsOf(const Collection &collection) {
  return {collection.begin(), collection.end()};
}

// "a b c" as {"a", "b", "c"}.
inline std::vector<std::string> words(std::string_view text) {
  std::vector<std::string> out;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) out.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }
  return out;
}

} // namespace qv::test
