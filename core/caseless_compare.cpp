#include "core/caseless_compare.hpp"

#include "core/code_points.hpp"

namespace qv {

namespace {

char foldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

} // namespace

int compareCaseless(std::string_view a, std::string_view b) {
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() && j < b.size()) {
    char x = a[i];
    char y = b[j];
    if (static_cast<unsigned char>(x) < 0x80 && static_cast<unsigned char>(y) < 0x80) {
      char fx = foldAscii(x);
      char fy = foldAscii(y);
      if (fx != fy) return fx < fy ? -1 : 1;
      ++i;
      ++j;
      continue;
    }
    uint32_t cx = foldCodePoint(readCodePoint(a, i));
    uint32_t cy = foldCodePoint(readCodePoint(b, j));
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

} // namespace qv
