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
  HRESULT returned; // with EXCEPINFO
  HRESULT scode;    // the failure's own HRESULT
  const char *source;
  const char *description; // "" for a bare HRESULT
};

const Case kCases[] = {
    {"a runtime error", [] { throw runtimeError(kSubscriptOutOfRange); }, DISP_E_EXCEPTION,
     static_cast<HRESULT>(0x800A0009), "Quorvane", "Subscript out of range"},
    {"a platform error without a source",
     [] { throw AutomationError(static_cast<int32_t>(0x80070035), "", "The network path was not found."); },
     DISP_E_EXCEPTION, static_cast<HRESULT>(0x80070035), "Quorvane", "The network path was not found."},
    {"another source", [] { throw AutomationError(13, "WinMgmt", "Error with osInfo: Type mismatch"); },
     DISP_E_EXCEPTION, static_cast<HRESULT>(0x800A000D), "WinMgmt", "Error with osInfo: Type mismatch"},
    {"exhausted memory", [] { throw std::bad_alloc(); }, E_OUTOFMEMORY, E_OUTOFMEMORY, "", ""},
    {"a library failure", [] { throw std::length_error("vector too long"); }, DISP_E_EXCEPTION, E_UNEXPECTED,
     "Quorvane", "vector too long"},
    {"something not an exception", [] { throw 42; }, E_UNEXPECTED, E_UNEXPECTED, "", ""},
};

HRESULT translated(const Case &c, EXCEPINFO *info) {
  try {
    c.raise();
  } catch (...) {
    return com::failCurrentCall(IID_IDispatch, info);
  }
  return S_OK;
}

// Leaves error information on the thread, as an earlier failure would.
void stale() {
  try {
    throw runtimeError(kInvalidCall);
  } catch (...) {
    com::failCurrentCall(IID_IDispatch);
  }
}

void checkCase(Checks &checks, const Case &c) {
  const std::string name = std::string(c.what) + ": ";
  bool bare = *c.description == '\0';

  stale();
  EXCEPINFO info{};
  HRESULT hr = translated(c, &info);
  Bstr source = Bstr::adopt(info.bstrSource);
  Bstr description = Bstr::adopt(info.bstrDescription);
  checks.expect(hr == c.returned, name + "Invoke returns " + hex(c.returned) + ", got " + hex(hr));
  if (!bare) {
    checks.expect(info.scode == c.scode && info.wCode == 0, name + "EXCEPINFO scode " + hex(info.scode));
    checks.expect(source.utf8() == c.source && description.utf8() == c.description,
                  name + "EXCEPINFO says " + source.utf8() + ": " + description.utf8());
  } else {
    checks.expect(!info.bstrSource && !info.bstrDescription && info.scode == 0,
                  name + "EXCEPINFO left empty");
  }

  ComPtr<IErrorInfo> thread;
  HRESULT got = GetErrorInfo(0, thread.put());
  if (bare) {
    checks.expect(got == S_FALSE, name + "no error information is left behind, not even an earlier one");
  } else {
    Bstr threadSource;
    Bstr threadDescription;
    if (thread) {
      thread->GetSource(threadSource.put());
      thread->GetDescription(threadDescription.put());
    }
    checks.expect(threadSource.utf8() == c.source && threadDescription.utf8() == c.description,
                  name + "IErrorInfo carries the same source and description");
  }

  stale();
  checks.expect(translated(c, nullptr) == c.scode,
                name + "without EXCEPINFO the failure's own HRESULT returns");
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
