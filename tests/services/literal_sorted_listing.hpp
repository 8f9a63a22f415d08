#pragma once
// The service sort as it was first written, over plain vectors, as the
// reference that servicesSorted is checked and timed against: an insertion
// sort of the field values (a 16-bit position counter, text compare mode),
// then, for each sorted value, the first remaining record whose field equals
// the value trimmed, taken out of the working list. Quadratic on purpose. It
// shares nothing with the component but the platform's text comparison.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <numeric>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/regional.hpp"

namespace qv::test {

inline constexpr std::size_t kUnmatched = static_cast<std::size_t>(-1);

// For each place of the sorted listing, the index in values of the record
// taken for it, or kUnmatched when no record remained for that value.
inline std::vector<std::size_t> literalSortedOrder(const std::vector<std::string> &values,
                                                   const Regional &regional) {
  std::vector<std::string> sorted;
  for (const std::string &value : values) {
    int16_t position = 0;
    for (const std::string &placed : sorted) {
      if (regional.compareText(placed, value) > 0) break;
      if (position == std::numeric_limits<int16_t>::max()) throw std::overflow_error("position");
      ++position;
    }
    // cppcheck-suppress containerOutOfBounds ; position never passes sorted.size()
    sorted.insert(sorted.begin() + position, value);
  }

  std::vector<std::size_t> working(values.size());
  std::iota(working.begin(), working.end(), std::size_t{0});
  std::vector<std::size_t> order;
  for (const std::string &value : sorted) {
    std::size_t first = value.find_first_not_of(' ');
    std::string_view wanted = std::string_view(value).substr(std::min(first, value.size()));
    wanted = wanted.substr(0, wanted.find_last_not_of(' ') + 1);
    auto found =
        std::find_if(working.begin(), working.end(), [&](std::size_t i) { return values[i] == wanted; });
    order.push_back(found == working.end() ? kUnmatched : *found);
    if (found != working.end()) working.erase(found);
  }
  return order;
}

} // namespace qv::test
