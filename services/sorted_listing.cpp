#include "services/sorted_listing.hpp"

#include <algorithm>
#include <numeric>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

constexpr int32_t kTextCompare = 1;

const Collection &fieldsOf(const Variant &record) {
  auto fields = record.as<Collection>();
  if (!fields) throwRuntimeError(kObjectNotSet);
  return *fields;
}

} // namespace

CollectionPtr sortedServiceList(const CollectionPtr &services, std::string_view sortKey,
                                const Regional &regional) {
  // The sort values are keyed by service name, as the sorter has always
  // kept them: a listing with one name twice fails rather than sorts.
  Collection sortValues;
  for (const Variant &record : *services) {
    const Collection &fields = fieldsOf(record);
    const Variant &value = fields.item(sortKey);
    sortValues.add(value, toText(fields["name"], regional));
  }

  std::vector<std::string> texts;
  texts.reserve(sortValues.size());
  for (const Variant &value : sortValues)
    texts.push_back(toText(value, regional));

  // Sorting the records themselves, rather than their values and then
  // looking each value up again, keeps every record exactly once: a lookup
  // by trimmed value loses records whose field has blanks at either end.
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return compareText(texts[a], texts[b], kTextCompare, regional) < 0;
  });

  ResultCollection result;
  for (std::size_t index : order)
    result.add(services->at(index + 1));
  return result.take();
}

} // namespace qv
