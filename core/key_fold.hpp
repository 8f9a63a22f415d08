#pragma once
// One letter-case rule for every key: collection keys, duplicate computers
// and log names match when their folds are equal, and the fold is the one
// the build's text comparison ignores. Natively it is the portable fold of
// the caseless order; in the Windows DLL the user locale's case mapping, the
// one CompareStringW applies under NORM_IGNORECASE (platform/win32). Both folds map each
// character to exactly one character and leave ASCII letters as ASCII
// small letters, which the ASCII fast paths below rely on.

#include <string>
#include <string_view>

namespace qv {

// The folded form of a key: equal folds, the same key.
std::string foldKey(std::string_view key);

// foldKey(a) == foldKey(b), without folding texts that are ASCII.
bool sameKey(std::string_view a, std::string_view b);

// The build's fold of any text (every character, ASCII included).
std::string foldText(std::string_view text);

// Names the fold foldText applies: natively the portable one stays; the
// Windows DLL names the locale's as it loads, before any key exists. The
// fold must map each character to one and ASCII letters to small ASCII
// letters, as both do.
using TextFold = std::string (*)(std::string_view text);
void useTextFold(TextFold fold);

inline bool isAsciiByte(char c) { return static_cast<unsigned char>(c) < 0x80; }
inline char foldAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

} // namespace qv
