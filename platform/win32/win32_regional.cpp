#include "platform/win32/win32_regional.hpp"

#include "core/automation_error.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/platform_error.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::win32 {
namespace {

// VARIANT_NOUSEROVERRIDE is not given: the user's own overrides of the
// locale apply, as they do for scripts.
constexpr LCID kLocale = LOCALE_USER_DEFAULT;

// Conversion failures the runtime itself raises: an argument outside the
// function's domain is 5, one beyond the type's range 6.
[[noreturn]] void conversionFailed(HRESULT hr) {
  if (hr == E_INVALIDARG) throwRuntimeError(kInvalidCall);
  if (hr == DISP_E_OVERFLOW) throwRuntimeError(kOverflow);
  if (hr == DISP_E_TYPEMISMATCH) throwRuntimeError(kTypeMismatch);
  throwPlatformError(hr);
}

std::string taken(HRESULT hr, Bstr &text) {
  if (FAILED(hr)) conversionFailed(hr);
  return text.utf8();
}

} // namespace

std::string Win32Regional::doubleToText(double value) const {
  Bstr text;
  return taken(VarBstrFromR8(value, kLocale, 0, text.put()), text);
}

std::string Win32Regional::dateToText(Date value) const {
  Bstr text;
  return taken(VarBstrFromDate(value.serial, kLocale, 0, text.put()), text);
}

std::string Win32Regional::formatDate(Date value, int format) const {
  if (format < kGeneralDate || format > kShortTime) throwRuntimeError(kInvalidCall);
  VariantValue date;
  V_VT(date.get()) = VT_DATE;
  V_DATE(date.get()) = value.serial;
  Bstr text;
  return taken(VarFormatDateTime(date.get(), format, 0, text.put()), text);
}

std::string Win32Regional::formatNumber(double value, int decimals) const {
  VariantValue number;
  V_VT(number.get()) = VT_R8;
  V_R8(number.get()) = value;
  Bstr text;
  // -2: leading digit, parentheses and grouping as the regional settings say.
  return taken(VarFormatNumber(number.get(), decimals, -2, -2, -2, 0, text.put()), text);
}

std::optional<double> Win32Regional::textToNumber(std::string_view text) const {
  Bstr wide(text);
  double value = 0;
  if (FAILED(VarR8FromStr(wide.get(), kLocale, 0, &value))) return std::nullopt;
  return value;
}

std::optional<Date> Win32Regional::textToDate(std::string_view text) const {
  Bstr wide(text);
  DATE value = 0;
  if (FAILED(VarDateFromStr(wide.get(), kLocale, 0, &value))) return std::nullopt;
  return Date{value};
}

int Win32Regional::compareText(std::string_view a, std::string_view b) const {
  std::wstring left = toWide(a);
  std::wstring right = toWide(b);
  int result = CompareStringW(kLocale, NORM_IGNORECASE, left.data(), static_cast<int>(left.size()),
                              right.data(), static_cast<int>(right.size()));
  if (result == 0) throwPlatformError(HRESULT_FROM_WIN32(GetLastError()));
  return result - CSTR_EQUAL;
}

} // namespace qv::win32
