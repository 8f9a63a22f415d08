#include "core/sorter.hpp"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

CollectionPtr sortCollection(const Collection &source, const Variant &compareMode, const Regional &regional) {
  std::vector<std::string> values;
  values.reserve(source.size());
  for (const Variant &value : source)
    values.push_back(toText(value, regional));

  // The mode is read at the first comparison, so a collection of fewer than
  // two values never looks at it.
  std::optional<int32_t> mode;
  if (values.size() > 1) mode = toInt32(compareMode, regional);

  std::vector<std::size_t> order(values.size());
  for (std::size_t i = 0; i < order.size(); ++i)
    order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return compareText(values[a], values[b], *mode, regional) < 0;
  });

  auto sorted = std::make_shared<Collection>();
  for (std::size_t index : order)
    sorted->add(Variant(std::move(values[index])));
  return sorted;
}

} // namespace qv
