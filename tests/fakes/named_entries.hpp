#pragma once
// The fakes' property and method lists: names match without regard to case,
// as the providers' do, and keep the spelling they were first set with.

#include <map>
#include <string>
#include <string_view>

#include "core/key_fold.hpp"

namespace qv::fake {

struct CaselessOrder {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return foldKey(a) < foldKey(b); }
};

template <class T> using NamedEntries = std::map<std::string, T, CaselessOrder>;

// The entry named name, or null.
template <class T> T *entryNamed(NamedEntries<T> &entries, std::string_view name) {
  auto found = entries.find(name);
  return found == entries.end() ? nullptr : &found->second;
}

} // namespace qv::fake
