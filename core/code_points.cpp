#include "core/code_points.hpp"

namespace qv {

uint32_t readCodePoint(std::string_view text, std::size_t &pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = lead < 0x80           ? 1
                       : (lead >> 5) == 0x6  ? 2
                       : (lead >> 4) == 0xE  ? 3
                       : (lead >> 3) == 0x1E ? 4
                                             : 0;
  if (length == 0 || pos + length > text.size()) {
    ++pos;
    return kInvalidByteBase + lead;
  }
  uint32_t cp = length == 1 ? lead : lead & (0x7Fu >> length);
  for (std::size_t k = 1; k < length; ++k) {
    auto next = static_cast<unsigned char>(text[pos + k]);
    if ((next >> 6) != 0x2) {
      ++pos;
      return kInvalidByteBase + lead;
    }
    cp = (cp << 6) | (next & 0x3Fu);
  }
  pos += length;
  return cp;
}

uint32_t foldCodePoint(uint32_t cp) {
  if (cp >= 'A' && cp <= 'Z') return cp + 32;
  if (cp < 0xC0) return cp;
  if (cp <= 0xDE && cp != 0xD7) return cp + 32;
  if (cp >= 0x391 && cp <= 0x3A9 && cp != 0x3A2) return cp + 32;
  if (cp >= 0x410 && cp <= 0x42F) return cp + 32;
  if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
  return cp;
}

void appendCodePoint(std::string &text, uint32_t cp) {
  auto byte = [&](uint32_t value) { text.push_back(static_cast<char>(value)); };
  if (cp >= kInvalidByteBase) {
    byte(cp - kInvalidByteBase);
  } else if (cp < 0x80) {
    byte(cp);
  } else if (cp < 0x800) {
    byte(0xC0 | (cp >> 6));
    byte(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    byte(0xE0 | (cp >> 12));
    byte(0x80 | ((cp >> 6) & 0x3F));
    byte(0x80 | (cp & 0x3F));
  } else {
    byte(0xF0 | (cp >> 18));
    byte(0x80 | ((cp >> 12) & 0x3F));
    byte(0x80 | ((cp >> 6) & 0x3F));
    byte(0x80 | (cp & 0x3F));
  }
}

std::string foldCodePoints(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();)
    appendCodePoint(folded, foldCodePoint(readCodePoint(text, pos)));
  return folded;
}

} // namespace qv
