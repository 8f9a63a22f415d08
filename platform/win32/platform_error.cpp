#include "platform/win32/platform_error.hpp"

#include <string>

#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::win32 {
namespace {

constexpr uint32_t kRuntimeFacility = 0x800A0000u;

int32_t numberOf(HRESULT hr) {
  auto code = static_cast<uint32_t>(hr);
  if ((code & 0xFFFF0000u) == kRuntimeFacility) return static_cast<int32_t>(code & 0xFFFFu);
  return static_cast<int32_t>(code);
}

// Texts for the binding failures a display name can give, for systems
// whose message tables lack them.
const char *bindingText(HRESULT hr) {
  switch (hr) {
  case MK_E_SYNTAX: return "Invalid syntax";
  case MK_E_CANTOPENFILE: return "Moniker cannot open file";
  case MK_E_NOOBJECT: return "No object for moniker";
  case MK_E_UNAVAILABLE: return "Operation unavailable";
  case MK_E_CONNECTMANUALLY: return "User input required for operation to succeed";
  case MK_E_EXCEEDEDDEADLINE: return "Operation exceeded deadline";
  case MK_E_INTERMEDIATEINTERFACENOTSUPPORTED: return "Intermediate operation failed";
  case REGDB_E_CLASSNOTREG: return "Class not registered";
  case CO_E_CLASSSTRING: return "Invalid class string";
  default: return nullptr;
  }
}

std::string systemText(HRESULT hr) {
  wchar_t *buffer = nullptr;
  DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t *>(&buffer), 0, nullptr);
  std::string text;
  if (buffer) {
    while (length > 0 &&
           (buffer[length - 1] == L'\r' || buffer[length - 1] == L'\n' || buffer[length - 1] == L' ')) {
      --length;
    }
    text = fromWide(buffer, length);
    LocalFree(buffer);
  }
  if (text.empty()) {
    if (const char *known = bindingText(hr)) return known;
    char code[16];
    snprintf(code, sizeof code, "%08lX", static_cast<unsigned long>(hr));
    text = std::string("Automation error 0x") + code;
  }
  return text;
}

AutomationError fromException(EXCEPINFO &info) {
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  Bstr source = Bstr::adopt(info.bstrSource);
  Bstr description = Bstr::adopt(info.bstrDescription);
  Bstr helpFile = Bstr::adopt(info.bstrHelpFile);
  info.bstrSource = info.bstrDescription = info.bstrHelpFile = nullptr;
  int32_t number = info.scode != 0 ? numberOf(info.scode) : static_cast<int32_t>(info.wCode);
  if (number == kNoSuchMember) return runtimeError(kNoSuchMember);
  std::string text = description.utf8();
  if (text.empty()) text = info.scode != 0 ? systemText(info.scode) : runtimeErrorText(number);
  return AutomationError(number, source.utf8(), std::move(text));
}

} // namespace

AutomationError platformError(HRESULT hr, EXCEPINFO *info) {
  if (hr == DISP_E_EXCEPTION && info) return fromException(*info);
  // Whatever error information the failed call left, so it cannot be taken
  // for that of a later failure.
  ComPtr<IErrorInfo> errorInfo;
  if (GetErrorInfo(0, errorInfo.put()) != S_OK) errorInfo.reset();
  if (hr == DISP_E_UNKNOWNNAME || hr == DISP_E_MEMBERNOTFOUND) return runtimeError(kNoSuchMember);
  if (hr == DISP_E_TYPEMISMATCH) return runtimeError(kTypeMismatch);
  if (hr == DISP_E_OVERFLOW) return runtimeError(kOverflow);
  std::string source;
  std::string description;
  if (errorInfo) {
    Bstr text;
    if (SUCCEEDED(errorInfo->GetSource(text.put()))) source = text.utf8();
    if (SUCCEEDED(errorInfo->GetDescription(text.put()))) description = text.utf8();
  }
  if (description.empty()) description = systemText(hr);
  return AutomationError(numberOf(hr), std::move(source), std::move(description));
}

void throwPlatformError(HRESULT hr, EXCEPINFO *info) { throw platformError(hr, info); }

} // namespace qv::win32
