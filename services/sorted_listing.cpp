#include "services/sorted_listing.hpp"

#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

constexpr int32_t kTextCompare = 1;

const Collection &fieldsOf(const Variant &record) {
  const auto *fields = record.isObject() ? dynamic_cast<const Collection *>(record.object().get()) : nullptr;
  if (fields == nullptr) throwRuntimeError(kObjectNotSet);
  return *fields;
}

// Texts stored end to end in one buffer: the sort's comparisons read
// neighbouring memory instead of one allocation per record.
class TextArena {
public:
  void add(std::string_view text) {
    bytes_.append(text);
    ends_.push_back(bytes_.size());
  }
  // The value's text, converted only when it is no text already.
  void add(const Variant &value, const Regional &regional) {
    if (value.isText())
      add(value.text());
    else
      add(toText(value, regional));
  }

  std::string_view operator[](std::size_t index) const {
    std::size_t start = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(bytes_).substr(start, ends_[index] - start);
  }
  std::size_t size() const { return ends_.size(); }

private:
  std::string bytes_;
  std::vector<std::size_t> ends_;
};

} // namespace

CollectionPtr sortedServiceList(CollectionPtr services, std::string_view sortKey, const Regional &regional) {
  TextArena texts;
  TextArena names;
  for (const Variant &record : *services) {
    const Collection &fields = fieldsOf(record);
    const Variant &value = fields.item(sortKey);
    // Folded: the names match as keys do, without regard to case.
    names.add(foldKey(toText(fields["name"], regional)));
    texts.add(value, regional);
  }
  std::unordered_set<std::string_view> seen(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!seen.insert(names[i]).second) throwRuntimeError(kDuplicateKey);
  }

  // Sorting the records themselves, rather than their values and then
  // looking each value up again, keeps every record exactly once: a lookup
  // by trimmed value loses records whose field has blanks at either end.
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return compareText(texts[a], texts[b], kTextCompare, regional) < 0;
  });
  services->reorderItems(order);
  return services;
}

} // namespace qv
