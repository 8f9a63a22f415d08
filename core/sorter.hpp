#pragma once
// The component's one sorting facility and the lookup that turns sorted
// values back into records.

#include <string_view>

#include "core/collection.hpp"
#include "core/regional.hpp"

namespace qv {

// A new collection of source's values (not its keys), without keys, in
// ascending order by compareText in compareMode; equal values keep their
// input order. O(n log n). A value that is no text fails as its conversion
// to text does.
CollectionPtr sortCollection(const Collection &source, const Variant &compareMode, const Regional &regional);

// The working list of records of this thread, or null. A WorkingListScope
// sets it for the length of one call: the thread itself keeps no object, as
// a thread-local with a destructor would run after the library is unloaded
// and keep the thread from ending.
Collection *workingList();

class WorkingListScope {
public:
  explicit WorkingListScope(CollectionPtr list);
  ~WorkingListScope();
  WorkingListScope(const WorkingListScope &) = delete;
  WorkingListScope &operator=(const WorkingListScope &) = delete;

private:
  CollectionPtr list_;
  Collection *previous_;
};

// The first record of the working list whose field fieldKey, read as text,
// equals value trimmed (by character code; the field is not trimmed). The
// record is taken out of the list. An empty object reference when none
// matches. No working list, or a record without the field, fails.
Variant takeMatchingRecord(std::string_view value, std::string_view fieldKey, const Regional &regional);

} // namespace qv
