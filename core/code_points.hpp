#pragma once
// UTF-8 read one character at a time and the portable letter-case fold of
// one character: what the portable text order and the portable key fold
// share, so both agree on which texts differ only in letter case.

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// Bytes that are not valid UTF-8 read as values above every code point, one
// byte each: kInvalidByteBase + the byte.
inline constexpr uint32_t kInvalidByteBase = 0x110000;

// The character at pos, and pos moved past it.
uint32_t readCodePoint(std::string_view text, std::size_t &pos);

// Capitals to small letters: ASCII, Latin-1, basic Greek and Cyrillic; every
// other value unchanged.
uint32_t foldCodePoint(uint32_t cp);

// Appends what readCodePoint read: a character as UTF-8, an invalid byte as
// itself.
void appendCodePoint(std::string &text, uint32_t cp);

// Every character of text folded by foldCodePoint; invalid bytes kept.
std::string foldCodePoints(std::string_view text);

} // namespace qv
