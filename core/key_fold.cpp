#include "core/key_fold.hpp"

#include <algorithm>

namespace qv {

std::string foldKey(std::string_view key) {
  if (!std::all_of(key.begin(), key.end(), isAsciiByte)) return foldText(key);
  std::string folded(key);
  for (char &c : folded)
    c = foldAsciiLetter(c);
  return folded;
}

bool sameKey(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (!isAsciiByte(a[i]) || !isAsciiByte(b[i])) return foldText(a) == foldText(b);
    // One character to one character: a difference here stays one.
    if (foldAsciiLetter(a[i]) != foldAsciiLetter(b[i])) return false;
  }
  // The longer one has characters the shorter lacks, and folding keeps them.
  return a.size() == b.size();
}

} // namespace qv
