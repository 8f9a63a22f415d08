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

namespace {
thread_local Collection *currentList = nullptr;
} // namespace

Collection *workingList() { return currentList; }

WorkingListScope::WorkingListScope(CollectionPtr list) : list_(std::move(list)), previous_(currentList) {
  currentList = list_.get();
}

WorkingListScope::~WorkingListScope() { currentList = previous_; }

Variant takeMatchingRecord(std::string_view value, std::string_view fieldKey, const Regional &regional) {
  Collection *list = workingList();
  if (list == nullptr) throwRuntimeError(kObjectNotSet);
  std::string_view wanted = trim(value);
  for (std::size_t position = 1; position <= list->size(); ++position) {
    Variant record = list->at(position);
    auto fields = record.as<Collection>();
    if (!fields) throwRuntimeError(kObjectNotSet);
    if (toText(fields->item(fieldKey), regional) == wanted) {
      list->remove(Variant(static_cast<int32_t>(position)));
      return record;
    }
  }
  return Variant(ObjectPtr());
}

} // namespace qv
