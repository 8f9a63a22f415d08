#pragma once
// The keys or items of a collection, in order, and lists of names written as
// one text, for comparing them.

#include <iterator>
#include <sstream>
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
  std::istringstream in{std::string(text)};
  return {std::istream_iterator<std::string>(in), {}};
}

} // namespace qv::test
