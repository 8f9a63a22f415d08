// The one translation of a failure at the module's entry points: each kind
// of exception becomes the same HRESULT, EXCEPINFO and thread error
// information wherever it is caught.

#include <new>
#include <stdexcept>

#include "com/error_translation.hpp"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

struct Case {
  void (*raise)();
  HRESULT hr;       // the failure's own HRESULT
  const char *said; // "source: description", "" for a bare HRESULT
};

const Case kCases[] = {
    {[] { throw AutomationError(static_cast<int32_t>(0x80070035), "", "The network path was not found."); },
     static_cast<HRESULT>(0x80070035), "Quorvane: The network path was not found."},
    {[] { throw AutomationError(13, "WinMgmt", "Error with osInfo: Type mismatch"); },
     static_cast<HRESULT>(0x800A000D), "WinMgmt: Error with osInfo: Type mismatch"},
    {[] { throw std::bad_alloc(); }, E_OUTOFMEMORY, ""},
    {[] { throw std::length_error("vector too long"); }, E_UNEXPECTED, "Quorvane: vector too long"},
    {[] { throw 42; }, E_UNEXPECTED, ""},
};

std::string saidBy(const Bstr &source, const Bstr &description) {
  return source.get() || description.get() ? source.utf8() + ": " + description.utf8() : "";
}

// Leaves error information on the thread first, as an earlier failure
// would, which a bare HRESULT must clear.
HRESULT translated(const Case &c, EXCEPINFO *info) {
  com::reportFailure({static_cast<HRESULT>(0x800A0005), "Quorvane", "an earlier failure"}, IID_IDispatch,
                     nullptr);
  try {
    c.raise();
  } catch (...) {
    return com::failCurrentCall(IID_IDispatch, info);
  }
  return S_OK;
}

} // namespace

// Invoke's HRESULT, EXCEPINFO, the thread's IErrorInfo, and the HRESULT
// without EXCEPINFO, each case as one line to compare.
void checkErrorTranslation(Checks &checks) {
  for (const Case &c : kCases) {
    EXCEPINFO info{};
    HRESULT hr = translated(c, &info);
    std::string seen = hex(hr) + " " + hex(info.scode) + " " + hex(info.wCode) + " [" +
                       saidBy(Bstr::adopt(info.bstrSource), Bstr::adopt(info.bstrDescription)) + "] [";
    seen += threadError() + "] ";
    seen += hex(translated(c, nullptr));
    SetErrorInfo(0, nullptr);
    const bool bare = *c.said == '\0';
    const std::string wanted = hex(bare ? c.hr : DISP_E_EXCEPTION) + " " + hex(bare ? 0 : c.hr) + " " +
                               hex(0) + " [" + c.said + "] [" + c.said + "] " + hex(c.hr);
    checks.expect(seen == wanted,
                  std::string("a failure is translated as ").append(wanted).append(", got ").append(seen));
  }
  checks.expect(com::hresultOf(0) == E_FAIL && com::hresultOf(0x10000) == E_FAIL,
                "a number that is neither a runtime number nor an HRESULT becomes E_FAIL");
}

} // namespace qv::comcheck
