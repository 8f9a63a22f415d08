#include "lab/com/dispatch_base.hpp"

#include <mutex>
#include <string>

#include "com/error_translation.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/model/fleet.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"
#include "platform/win32/bstr.hpp"

namespace qv::lab {

HRESULT failLabCall(REFIID iid, EXCEPINFO *info, const char *source) noexcept {
  try {
    throw;
  } catch (const LabError &error) {
    com::ComFailure failure;
    try {
      failure = {static_cast<HRESULT>(error.code()), source, error.what()};
    } catch (...) {
      return static_cast<HRESULT>(error.code());
    }
    return com::reportFailure(failure, iid, info);
  } catch (...) {
    return com::failCurrentCall(iid, info, source);
  }
}

void *LabDispatch::find(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) return static_cast<IDispatch *>(this);
  if (IsEqualIID(iid, IID_ISupportErrorInfo)) return static_cast<ISupportErrorInfo *>(this);
  return nullptr;
}

HRESULT LabDispatch::GetTypeInfoCount(UINT *count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT LabDispatch::GetTypeInfo(UINT, LCID, ITypeInfo **info) {
  if (info) *info = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT LabDispatch::GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) {
  if (!names || !ids || count == 0) return E_INVALIDARG;
  for (UINT i = 0; i < count; ++i)
    ids[i] = DISPID_UNKNOWN;
  try {
    std::lock_guard lock(LabState::instance().mutex());
    ids[0] = memberId(win32::fromWide(names[0], wcslen(names[0])));
  } catch (...) {
    return failLabCall(IID_IDispatch, nullptr, source_);
  }
  return (ids[0] == DISPID_UNKNOWN || count > 1) ? DISP_E_UNKNOWNNAME : S_OK;
}

HRESULT LabDispatch::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                            EXCEPINFO *exception, UINT *argError) {
  VARIANT scratch;
  VariantInit(&scratch);
  VARIANT &out = result ? *result : scratch;
  if (result) VariantInit(result);
  try {
    awaitAnswer(callHost());
    std::lock_guard lock(LabState::instance().mutex());
    CallArgs args(params, flags);
    call(id, flags, args, out);
    VariantClear(&scratch);
    return S_OK;
  } catch (const DispatchFailure &failure) {
    VariantClear(&out);
    if (argError && failure.hr == DISP_E_TYPEMISMATCH) *argError = failure.argument;
    return failure.hr;
  } catch (...) {
    VariantClear(&out);
    return failLabCall(IID_IDispatch, exception, source_);
  }
}

HRESULT LabDispatch::InterfaceSupportsErrorInfo(REFIID iid) {
  return IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
}

namespace {

// Callers a host that never answers holds, for the suites to read from the
// process's environment: they never come back, so the count only grows.
void countStuckCaller() {
  static std::mutex lock;
  static long stuck = 0;
  std::lock_guard guard(lock);
  SetEnvironmentVariableW(L"QV_LAB_STUCK_CALLERS", std::to_wstring(++stuck).c_str());
}

} // namespace

void awaitAnswer(const Computer *host) {
  if (!host) return;
  if (!host->answers) countStuckCaller();
  while (!host->answers)
    Sleep(INFINITE);
  if (host->latencyMs > 0) Sleep(static_cast<DWORD>(host->latencyMs));
}

DISPID findMember(const NamedMember *members, std::size_t count, std::string_view name) {
  for (std::size_t i = 0; i < count; ++i)
    if (equalsNoCase(members[i].name, name)) return members[i].id;
  return DISPID_UNKNOWN;
}

} // namespace qv::lab
