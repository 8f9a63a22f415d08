#include "platform/win32/win32_text_fold.hpp"

// Without LCMAP_LINGUISTIC_CASING the mapping is the one the file system
// uses, which maps each character to one and ASCII letters to ASCII in every
// locale. A text that is not valid UTF-8 (no key that came from a script) or
// that the platform cannot map takes the portable fold, which keeps its bytes.

#include <windows.h>

#include <climits>
#include <string>

#include "core/code_points.hpp"

namespace qv::win32 {

std::string foldTextByLocale(std::string_view text) {
  if (text.empty()) return {};
  if (text.size() > static_cast<std::size_t>(INT_MAX) / 4) return foldCodePoints(text);
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, nullptr, 0);
  if (units <= 0) return foldCodePoints(text);
  std::wstring wide(static_cast<std::size_t>(units), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), length, wide.data(), units);
  std::wstring lower(wide.size(), L'\0');
  if (LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_LOWERCASE, wide.data(), units, lower.data(), units) != units)
    return foldCodePoints(text);
  const int bytes = WideCharToMultiByte(CP_UTF8, 0, lower.data(), units, nullptr, 0, nullptr, nullptr);
  std::string folded(static_cast<std::size_t>(bytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, lower.data(), units, folded.data(), bytes, nullptr, nullptr);
  return folded;
}

} // namespace qv::win32
