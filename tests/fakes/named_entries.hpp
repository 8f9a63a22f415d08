#pragma once
// The fakes' property and method lists: names match without regard to case,
// as the providers' do.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/convert.hpp"

namespace qv::fake {

template <class T> using NamedEntries = std::vector<std::pair<std::string, T>>;

// The entry named name, or null.
template <class T> T *entryNamed(NamedEntries<T> &entries, std::string_view name) {
  for (auto &[key, value] : entries) {
    if (equalsIgnoreCase(key, name)) return &value;
  }
  return nullptr;
}

// Replaces the entry named name, or adds it at the end.
template <class T> void setEntry(NamedEntries<T> &entries, std::string name, T value) {
  if (T *existing = entryNamed(entries, name))
    *existing = std::move(value);
  else
    entries.emplace_back(std::move(name), std::move(value));
}

} // namespace qv::fake
