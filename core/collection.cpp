#include "core/collection.hpp"

#include <algorithm>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

std::string foldKey(std::string_view key) {
  std::string folded(key);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

std::string Collection::claimKey(const std::optional<std::string>& key) const {
  if (!key) return {};
  std::string folded = foldKey(*key);
  if (byKey_.contains(folded)) throwRuntimeError(kDuplicateKey);
  return folded;
}

void Collection::insertAt(std::size_t index, Variant item, std::optional<std::string> key) {
  std::string folded = claimKey(key);
  auto entry = std::make_unique<Entry>(Entry{std::move(item), std::move(key)});
  Entry* raw = entry.get();
  if (raw->key) byKey_.emplace(folded, raw);
  try {
    entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(std::min(index, entries_.size())),
                    std::move(entry));
  } catch (...) {
    if (raw->key) byKey_.erase(folded);
    throw;
  }
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

void Collection::add(Variant item, const Variant& key, const Variant& before, const Variant& after) {
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

std::size_t Collection::positionOf(const Variant& index) const {
  if (index.isText()) {
    auto found = byKey_.find(foldKey(index.text()));
    if (found == byKey_.end()) throwRuntimeError(kInvalidCall);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].get() == found->second) return i;
    }
    throwRuntimeError(kInvalidCall);
  }
  if (index.isObject() || index.isArray()) throwRuntimeError(kTypeMismatch);
  int32_t position = toInt32(index);
  if (position < 1 || static_cast<std::size_t>(position) > entries_.size()) {
    throwRuntimeError(kSubscriptOutOfRange);
  }
  return static_cast<std::size_t>(position - 1);
}

void Collection::remove(const Variant& index) {
  std::size_t at = positionOf(index);
  if (const auto& key = entries_[at]->key) byKey_.erase(foldKey(*key));
  entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(at));
}

const Variant& Collection::item(const Variant& index) const {
  if (index.isText()) return item(std::string_view(index.text()));
  return entries_[positionOf(index)]->item;
}

const Variant& Collection::at(std::size_t position) const {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  return entries_[position - 1]->item;
}

const Variant& Collection::item(std::string_view key) const {
  auto found = byKey_.find(foldKey(key));
  if (found == byKey_.end()) throwRuntimeError(kInvalidCall);
  return found->second->item;
}

bool Collection::contains(std::string_view key) const { return byKey_.contains(foldKey(key)); }

std::optional<std::string> Collection::keyAt(std::size_t position) const {
  if (position < 1 || position > entries_.size()) throwRuntimeError(kSubscriptOutOfRange);
  return entries_[position - 1]->key;
}

} // namespace qv
