#pragma once
// The portable text order for compare mode 1: letter case ignored.

#include <string_view>

namespace qv {

// Compares two UTF-8 texts by code point after folding capitals to small
// letters: ASCII, Latin-1, basic Greek and Cyrillic. Texts equal but for
// letter case compare equal; everything else has a fixed, total order, so
// sorts by it are stable and repeatable. Bytes that are not valid UTF-8 sort
// after every character. <0, 0, >0.
int compareCaseless(std::string_view a, std::string_view b);

} // namespace qv
