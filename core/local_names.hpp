#pragma once
// The administration host's own computer name and workgroup.

#include <string>

#include "core/system.hpp"

namespace qv {

// Trimmed name; the empty text when the platform's text is not terminated.
// No handler: a failed platform call fails with 5.
std::string localComputerName(System& system);
// Trimmed workgroup or domain; the empty text when the platform reports an
// error code. Reports "Unable to get the local workgroup name".
std::string localWorkgroup(System& system);
// The UTF-16 text at address as UTF-8; the empty text for a null address or
// an empty text. Reports "Error with pointer to byte string while getting
// workgroup name".
std::string textAtPointer(const char16_t* address);

// UTF-16 <-> UTF-8, unpaired surrogates becoming U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
std::u16string utf8ToUtf16(std::string_view text);

} // namespace qv
