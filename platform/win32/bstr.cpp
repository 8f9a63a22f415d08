#include "platform/win32/bstr.hpp"

#include <new>

namespace qv::win32 {
namespace {

std::wstring decode(UINT codePage, std::string_view text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}

std::string encode(UINT codePage, const wchar_t *text, std::size_t size) {
  if (size == 0) return {};
  int length = WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(length), '\0');
  WideCharToMultiByte(codePage, 0, text, static_cast<int>(size), narrow.data(), length, nullptr, nullptr);
  return narrow;
}

} // namespace

std::wstring toWide(std::string_view utf8) { return decode(CP_UTF8, utf8); }

std::string fromWide(const wchar_t *text, std::size_t length) { return encode(CP_UTF8, text, length); }

std::string fromBstr(BSTR text) { return text ? fromWide(text, SysStringLen(text)) : std::string(); }

std::string toAnsi(std::string_view utf8) {
  std::wstring wide = toWide(utf8);
  return encode(CP_ACP, wide.data(), wide.size());
}

std::string fromAnsi(std::string_view ansi) {
  std::wstring wide = decode(CP_ACP, ansi);
  return fromWide(wide.data(), wide.size());
}

Bstr::Bstr(std::string_view utf8) {
  if (utf8.empty()) {
    b_ = SysAllocStringLen(nullptr, 0);
  } else {
    int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    b_ = SysAllocStringLen(nullptr, static_cast<UINT>(length));
    if (b_) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), b_, length);
  }
  if (!b_) throw std::bad_alloc();
}

} // namespace qv::win32
