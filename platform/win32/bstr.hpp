#pragma once
// An owning BSTR and the conversions between UTF-8 texts and UTF-16 strings
// at the platform boundary.

#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>
#include <utility>

namespace qv::win32 {

std::wstring toWide(std::string_view utf8);
std::string fromWide(const wchar_t *text, std::size_t length);
std::string fromBstr(BSTR text); // a null BSTR is the empty text

// The system's 8-bit code page, for the A calls.
std::string toAnsi(std::string_view utf8);
std::string fromAnsi(std::string_view ansi);

class Bstr {
public:
  Bstr() = default;
  explicit Bstr(std::string_view utf8);
  explicit Bstr(const wchar_t *text) : b_(SysAllocString(text)) {}
  Bstr(const Bstr &) = delete;
  Bstr &operator=(const Bstr &) = delete;
  Bstr(Bstr &&other) noexcept : b_(std::exchange(other.b_, nullptr)) {}
  Bstr &operator=(Bstr &&other) noexcept {
    std::swap(b_, other.b_);
    return *this;
  }
  ~Bstr() { SysFreeString(b_); }

  static Bstr adopt(BSTR b) {
    Bstr result;
    result.b_ = b;
    return result;
  }

  BSTR get() const { return b_; }
  BSTR *put() {
    SysFreeString(std::exchange(b_, nullptr));
    return &b_;
  }
  BSTR detach() { return std::exchange(b_, nullptr); }
  std::string utf8() const { return fromBstr(b_); }
  UINT length() const { return SysStringLen(b_); }

private:
  BSTR b_ = nullptr;
};

} // namespace qv::win32
