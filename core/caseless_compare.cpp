#include "core/caseless_compare.hpp"

#include <cstdint>

namespace qv {

namespace {

// Invalid bytes become values above every code point.
constexpr uint32_t kInvalidBase = 0x110000;

uint32_t decode(std::string_view text, std::size_t &pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return kInvalidBase + lead;
  }
  uint32_t cp = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next >> 6) != 0x2) {
      ++pos;
      return kInvalidBase + lead;
    }
    cp = (cp << 6) | (next & 0x3Fu);
  }
  pos += length;
  return cp;
}

uint32_t fold(uint32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp < 0xC0) return cp;
  if (cp <= 0xDE && cp != 0xD7) return cp + 32;
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 32;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 32;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
  return cp;
}

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
    uint32_t cx = fold(decode(a, i));
    uint32_t cy = fold(decode(b, j));
    if (cx != cy) return cx < cy ? -1 : 1;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

} // namespace qv
