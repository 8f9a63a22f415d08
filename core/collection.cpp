#include "core/collection.hpp"

#include <algorithm>
#include <bit>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/key_fold.hpp"

namespace qv {

namespace {

constexpr uint64_t kFnvBasis = 14695981039346656037ull;
constexpr uint64_t kFnvPrime = 1099511628211ull;

// Keys of a result differ in their last digits only: mix well, so
// neighbouring keys do not land in neighbouring slots.
uint32_t mixed(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xff51afd7ed558ccdull;
  hash ^= hash >> 33;
  hash *= 0xc4ceb9fe1a85ec53ull;
  hash ^= hash >> 33;
  return static_cast<uint32_t>(hash);
}

// FNV-1a over the key's fold, so keys that match as keys collide. An ASCII
// key is folded as it is hashed; its fold is its bytes with small letters.
uint32_t hashKey(std::string_view key) {
  uint64_t hash = kFnvBasis;
  for (char c : key) {
    if (!isAsciiByte(c)) {
      hash = kFnvBasis;
      for (char f : foldKey(key))
        hash = (hash ^ static_cast<unsigned char>(f)) * kFnvPrime;
      break;
    }
    hash = (hash ^ static_cast<unsigned char>(foldAsciiLetter(c))) * kFnvPrime;
  }
  return mixed(hash);
}

// A slot holds the key's hash in its upper half and the entry's position + 1
// in its lower half (0: free). The hash spares most probes a look at the
// entries and gives every slot's home without hashing its key again.
uint64_t slotOf(uint32_t hash, std::size_t index) { return (uint64_t{hash} << 32) | (index + 1); }
uint32_t heldOf(uint64_t slot) { return static_cast<uint32_t>(slot); }
uint32_t hashOf(uint64_t slot) { return static_cast<uint32_t>(slot >> 32); }

} // namespace

std::optional<std::size_t> Collection::find(std::string_view key) const {
  if (slots_.empty()) {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].key && sameKey(*entries_[i].key, key)) return i;
    }
    return std::nullopt;
  }
  const std::size_t mask = slots_.size() - 1;
  const uint32_t hash = hashKey(key);
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const uint64_t held = slots_[slot];
    if (held == 0) return std::nullopt;
    if (hashOf(held) == hash && sameKey(*entries_[heldOf(held) - 1].key, key)) return heldOf(held) - 1;
  }
}

void Collection::indexEntry(std::size_t index) {
  const std::size_t mask = slots_.size() - 1;
  const uint32_t hash = hashKey(*entries_[index].key);
  std::size_t slot = hash & mask;
  while (slots_[slot] != 0)
    slot = (slot + 1) & mask;
  slots_[slot] = slotOf(hash, index);
}

std::size_t Collection::slotHolding(std::string_view key, uint32_t held) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = hashKey(key) & mask;
  while (heldOf(slots_[slot]) != held)
    slot = (slot + 1) & mask;
  return slot;
}

// Backward-shift deletion: every entry behind the freed slot in its probe
// run moves up into the gap unless that would put it in front of its home
// slot, so lookups never need tombstones.
void Collection::freeSlot(std::size_t slot) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t hole = slot;
  for (std::size_t next = (hole + 1) & mask; slots_[next] != 0; next = (next + 1) & mask) {
    const std::size_t home = hashOf(slots_[next]) & mask;
    if (((next - home) & mask) >= ((next - hole) & mask)) {
      slots_[hole] = slots_[next];
      hole = next;
    }
  }
  slots_[hole] = 0;
}

// The entries from first on have just moved one place, up (an insertion in
// front of them) or down (a removal), and the table still holds their old
// positions.
void Collection::shiftPositions(std::size_t first, bool up) {
  const std::size_t moved = entries_.size() - first;
  if (moved == 0) return;
  if (moved * 4 >= slots_.size()) {
    // Many moved: one pass over the table beats a probe for each. Their
    // slots hold first (up) or first + 2 (down) and more; every other slot
    // holds less.
    for (uint64_t &held : slots_) {
      if (up && heldOf(held) >= first) ++held;
      if (!up && heldOf(held) > first + 1) --held;
    }
    return;
  }
  // In the order that never leaves two slots with the same value.
  auto fix = [&](std::size_t position) {
    if (!entries_[position].key) return;
    const auto before = static_cast<uint32_t>(up ? position : position + 2);
    uint64_t &held = slots_[slotHolding(*entries_[position].key, before)];
    held = slotOf(hashOf(held), position);
  };
  if (up) {
    for (std::size_t position = entries_.size(); position-- > first;)
      fix(position);
  } else {
    for (std::size_t position = first; position < entries_.size(); ++position)
      fix(position);
  }
}

void Collection::rebuildIndex() {
  std::vector<uint64_t>().swap(slots_);
  if (keyed_ <= kScanLimit) return;
  slots_.assign(std::bit_ceil(keyed_ * 2), 0);
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].key) indexEntry(i);
  }
}

void Collection::insertAt(std::size_t index, Variant item, std::optional<std::string> key) {
  if (key && find(*key)) throwRuntimeError(kDuplicateKey);
  index = std::min(index, entries_.size());
  const bool keyed = key.has_value();
  entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(index),
                  Entry{std::move(item), std::move(key)});
  if (keyed) ++keyed_;
  if (slots_.empty() ? keyed_ > kScanLimit : keyed_ * 2 > slots_.size()) {
    rebuildIndex();
    return;
  }
  if (slots_.empty()) return;
  shiftPositions(index + 1, true);
  if (keyed) indexEntry(index);
}

void Collection::add(Variant item, std::optional<std::string> key) {
  insertAt(entries_.size(), std::move(item), std::move(key));
}

void Collection::insertBefore(Variant item, std::optional<std::string> key, std::size_t position) {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  insertAt(position - 1, std::move(item), std::move(key));
}

void Collection::insertAfter(Variant item, std::optional<std::string> key, std::size_t position) {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  insertAt(position, std::move(item), std::move(key));
}

void Collection::add(Variant item, const Variant &key, const Variant &before, const Variant &after) {
  std::optional<std::string> keyText;
  if (!key.isEmpty()) {
    if (!key.isText()) throwRuntimeError(kTypeMismatch);
    keyText = key.text();
  }
  if (!before.isEmpty() && !after.isEmpty()) throwRuntimeError(kInvalidCall);
  if (!before.isEmpty()) {
    insertAt(positionOf(before), std::move(item), std::move(keyText));
  } else if (!after.isEmpty()) {
    insertAt(positionOf(after) + 1, std::move(item), std::move(keyText));
  } else {
    add(std::move(item), std::move(keyText));
  }
}

std::size_t Collection::positionOf(const Variant &index) const {
  if (index.isText()) {
    if (auto found = find(index.text())) return *found;
    throwRuntimeError(kInvalidCall);
  }
  if (index.isObject() || index.isArray()) throwRuntimeError(kTypeMismatch);
  int32_t position = toInt32(index);
  if (position < 1 || static_cast<std::size_t>(position) > entries_.size()) {
    throwRuntimeError(kSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(position - 1);
}

void Collection::remove(const Variant &index) {
  const std::size_t at = positionOf(index);
  const bool keyed = entries_[at].key.has_value();
  if (keyed && !slots_.empty()) freeSlot(slotHolding(*entries_[at].key, static_cast<uint32_t>(at + 1)));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
  if (keyed) --keyed_;
  if (slots_.empty()) return;
  shiftPositions(at, false);
  // A table four times larger than it needs to be is rebuilt smaller, so
  // emptying a large collection gives its memory back; the rebuilds halve
  // in size, which keeps removal amortised constant.
  if (keyed_ <= kScanLimit || keyed_ * 8 <= slots_.size()) rebuildIndex();
}

void Collection::reorderItems(const std::vector<std::size_t> &order) {
  if (order.size() != entries_.size()) throwRuntimeError(kInvalidCall);
  std::vector<bool> named(order.size(), false);
  for (std::size_t from : order) {
    if (from >= named.size() || named[from]) throwRuntimeError(kInvalidCall);
    named[from] = true;
  }
  std::vector<Variant> items;
  items.reserve(order.size());
  for (std::size_t from : order)
    items.push_back(std::move(entries_[from].item));
  for (std::size_t k = 0; k < items.size(); ++k)
    entries_[k].item = std::move(items[k]);
}

const Variant &Collection::item(const Variant &index) const {
  if (index.isText()) return item(std::string_view(index.text()));
  return entries_[positionOf(index)].item;
}

const Variant &Collection::at(std::size_t position) const {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  return entries_[position - 1].item;
}

const Variant &Collection::item(std::string_view key) const {
  if (auto found = find(key)) return entries_[*found].item;
  throwRuntimeError(kInvalidCall);
}

bool Collection::contains(std::string_view key) const { return find(key).has_value(); }

std::optional<std::string> Collection::keyAt(std::size_t position) const {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  return entries_[position - 1].key;
}

} // namespace qv
