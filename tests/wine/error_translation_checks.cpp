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
  const char *what;
  void (*raise)();
  HRESULT hr; // the failure's own HRESULT
  const char *source;
  const char *description; // "" for a bare HRESULT
};

const Case kCases[] = {
    {"a platform error without a source",
     [] { throw AutomationError(static_cast<int32_t>(0x80070035), "", "The network path was not found."); },
     static_cast<HRESULT>(0x80070035), "Quorvane", "The network path was not found."},
    {"a runtime number from another source",
     [] { throw AutomationError(13, "WinMgmt", "Error with osInfo: Type mismatch"); },
     static_cast<HRESULT>(0x800A000D), "WinMgmt", "Error with osInfo: Type mismatch"},
    {"exhausted memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, "", ""},
    {"a library failure", [] { throw std::length_error("vector too long"); }, E_UNEXPECTED, "Quorvane",
     "vector too long"},
    {"something not an exception", [] { throw 42; }, E_UNEXPECTED, "", ""},
};

// Leaves error information on the thread first, as an earlier failure
// would.
HRESULT translated(const Case &c, EXCEPINFO *info) {
  try {
    throw runtimeError(kInvalidCall);
  } catch (...) {
    com::failCurrentCall(IID_IDispatch);
  }
  try {
    c.raise();
  } catch (...) {
    return com::failCurrentCall(IID_IDispatch, info);
  }
  return S_OK;
}

void checkCase(Checks &checks, const Case &c) {
  const std::string name = std::string(c.what) + ": ";
  const bool bare = *c.description == '\0';
  const std::string expected = bare ? ": " : std::string(c.source) + ": " + c.description;
  EXCEPINFO info{};
  HRESULT hr = translated(c, &info);
  Bstr source = Bstr::adopt(info.bstrSource);
  Bstr description = Bstr::adopt(info.bstrDescription);
  const std::string said = source.utf8() + ": " + description.utf8();
  checks.expect(hr == (bare ? c.hr : DISP_E_EXCEPTION) && info.scode == (bare ? 0 : c.hr) &&
                    info.wCode == 0 && said == expected,
                name + "Invoke returns " + hex(hr) + ", EXCEPINFO " + hex(info.scode) + " " + said);
  // A bare HRESULT leaves no error information, not even the earlier one.
  ComPtr<IErrorInfo> thread;
  Bstr threadSource;
  Bstr threadDescription;
  if (GetErrorInfo(0, thread.put()) == S_OK) {
    thread->GetSource(threadSource.put());
    thread->GetDescription(threadDescription.put());
  }
  checks.expect(threadSource.utf8() + ": " + threadDescription.utf8() == expected,
                name + "IErrorInfo says " + threadSource.utf8() + ": " + threadDescription.utf8());
  checks.expect(translated(c, nullptr) == c.hr, name + "without EXCEPINFO the failure's own HRESULT returns");
  SetErrorInfo(0, nullptr);
}

} // namespace

void checkErrorTranslation(Checks &checks) {
  for (const Case &c : kCases)
    checkCase(checks, c);
  checks.expect(com::hresultOf(0) == E_FAIL && com::hresultOf(0x10000) == E_FAIL,
                "a number that is neither a runtime number nor an HRESULT becomes E_FAIL");
}

} // namespace qv::comcheck
