#pragma once
// The Windows fold of keys: the user locale's case mapping.

#include <string>
#include <string_view>

namespace qv::win32 {

// The text with every letter small, as the text comparison (CompareStringW
// with NORM_IGNORECASE) matches letters. For qv::useTextFold.
std::string foldTextByLocale(std::string_view text);

} // namespace qv::win32
