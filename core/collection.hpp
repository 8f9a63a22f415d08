#pragma once
// The container of every result: ordered items, optional unique keys that
// match without regard to letter case (see key_fold.hpp).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/key_fold.hpp"
#include "core/variant.hpp"

namespace qv {

class Collection : public Object {
public:
  // Appends item, under key when one is given. A key already present fails
  // with 457 and leaves the collection unchanged.
  void add(Variant item, std::optional<std::string> key = std::nullopt);
  void add(Variant item, std::string key) {
    add(std::move(item), std::optional<std::string>(std::move(key)));
  }
  void add(Variant item, const char *key) { add(std::move(item), std::optional<std::string>(key)); }

  // The full Add of a script: key, before and after may each be Empty
  // (omitted); before and after name a position or a key. Giving both fails
  // with 5.
  void add(Variant item, const Variant &key, const Variant &before, const Variant &after);

  // Positional insertion (1-based); O(entries behind the new one).
  void insertBefore(Variant item, std::optional<std::string> key, std::size_t position);
  void insertAfter(Variant item, std::optional<std::string> key, std::size_t position);

  // Puts the item at position order[k] + 1 at position k + 1, for every k,
  // while every key stays at its position: a result collection reordered
  // this way keeps its position keys. order must name each position once
  // (5 otherwise, the collection unchanged). O(n); no item is copied.
  void reorderItems(const std::vector<std::size_t> &order);

  // Removes by position or key; O(1) amortised at the end, otherwise
  // O(entries behind the removed one).
  void remove(const Variant &index);

  // By position (a number, 1 to count) or key (a text).
  const Variant &item(const Variant &index) const;
  const Variant &at(std::size_t position) const;   // 1-based; 9 when out of range
  const Variant &item(std::string_view key) const; // 5 when missing
  const Variant &item(const std::string &key) const { return item(std::string_view(key)); }
  const Variant &operator[](std::string_view key) const { return item(key); }
  const Variant &operator[](const std::string &key) const { return item(std::string_view(key)); }
  const Variant &operator[](const char *key) const { return item(std::string_view(key)); }
  const Variant &operator[](std::size_t position) const { return at(position); }
  const Variant &operator[](int position) const { return at(static_cast<std::size_t>(position)); }

  // Room for count items without reallocation, for a record whose fields
  // are known.
  void reserve(std::size_t count) { entries_.reserve(count); }

  bool contains(std::string_view key) const;
  std::optional<std::string> keyAt(std::size_t position) const; // the key as added
  int32_t count() const { return static_cast<int32_t>(entries_.size()); }
  std::size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }

  struct Entry {
    Variant item;
    std::optional<std::string> key;
  };

  class const_iterator {
  public:
    using value_type = Variant;
    using difference_type = std::ptrdiff_t;
    const_iterator() = default;
    const Variant &operator*() const { return it_->item; }
    const Variant *operator->() const { return &it_->item; }
    const_iterator &operator++() {
      ++it_;
      return *this;
    }
    const_iterator operator++(int) {
      auto copy = *this;
      ++it_;
      return copy;
    }
    bool operator==(const const_iterator &) const = default;

  private:
    friend class Collection;
    using Inner = std::vector<Entry>::const_iterator;
    explicit const_iterator(Inner it) : it_(it) {}
    Inner it_;
  };
  const_iterator begin() const { return const_iterator(entries_.begin()); }
  const_iterator end() const { return const_iterator(entries_.end()); }

private:
  // Records hold a handful of fields: below this many keys a scan beats a
  // hash table and keeps a record small.
  static constexpr std::size_t kScanLimit = 8;

  std::size_t positionOf(const Variant &index) const; // 0-based
  std::optional<std::size_t> find(std::string_view key) const;
  void insertAt(std::size_t index, Variant item, std::optional<std::string> key);
  void rebuildIndex();
  void indexEntry(std::size_t index);
  std::size_t slotHolding(std::string_view key, uint32_t held) const;
  void freeSlot(std::size_t slot);
  void shiftPositions(std::size_t from, bool up);

  // Items in order, stored contiguously, and an open-addressing table of
  // their keys (linear probing; a slot holds the key's hash and position + 1,
  // 0 is free), kept once a collection holds more than kScanLimit keys.
  // Every change updates the table in place: only growing or shrinking it
  // rebuilds it.
  std::vector<Entry> entries_;
  std::vector<uint64_t> slots_;
  std::size_t keyed_ = 0;
};

using CollectionPtr = std::shared_ptr<Collection>;

// A record: fields added under their names, in a fixed order.
inline CollectionPtr newRecord() { return std::make_shared<Collection>(); }

// A result collection: records added under position keys "1", "2", ...
class ResultCollection {
public:
  ResultCollection() : items_(std::make_shared<Collection>()) {}
  void add(Variant record) { items_->add(std::move(record), std::to_string(next_++)); }
  const CollectionPtr &collection() const { return items_; }
  CollectionPtr take() { return std::move(items_); }

private:
  CollectionPtr items_;
  int64_t next_ = 1;
};

} // namespace qv
