#include <algorithm>

#include "core/automation_error.hpp"
#include "core/convert.hpp"

namespace qv {

namespace {

bool isHighBmpLead(unsigned char c) { return c == 0xEE || c == 0xEF; }

// Binary order is the order of UTF-16 code units, as the runtime compares.
// UTF-8 byte order equals code point order, which differs from it in one
// place only: characters above U+FFFF (UTF-8 lead byte F0-F4, UTF-16
// surrogates D800-DFFF) sort before U+E000-U+FFFF (lead byte EE or EF).
int compareBinary(std::string_view a, std::string_view b) {
  auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (ia == a.end() && ib == b.end()) return 0;
  if (ia == a.end()) return -1;
  if (ib == b.end()) return 1;
  auto x = static_cast<unsigned char>(*ia);
  auto y = static_cast<unsigned char>(*ib);
  if (x >= 0xF0 && isHighBmpLead(y)) return -1;
  if (y >= 0xF0 && isHighBmpLead(x)) return 1;
  return x < y ? -1 : 1;
}

} // namespace

int compareText(std::string_view a, std::string_view b, int32_t mode, const Regional &regional) {
  if (mode == 0) return compareBinary(a, b);
  if (mode == 1 || mode == 2) {
    int result = regional.compareText(a, b);
    return (result > 0) - (result < 0);
  }
  throwRuntimeError(kInvalidCall);
}

} // namespace qv
