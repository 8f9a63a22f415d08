#include "lab/com/dispatch_base.hpp"

#include <mutex>
#include <new>

#include "lab/com/lab_state.hpp"
#include "lab/model/fleet.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::lab {
namespace {

void setThreadError(const char *source, const std::string &description) {
  win32::ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.put()))) return;
  std::wstring wideSource = win32::toWide(source);
  std::wstring wideDescription = win32::toWide(description);
  create->SetGUID(IID_IDispatch);
  create->SetSource(wideSource.data());
  create->SetDescription(wideDescription.data());
  win32::ComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.get());
}

HRESULT report(const char *source, HRESULT hr, const std::string &description, EXCEPINFO *exception) {
  setThreadError(source, description);
  if (!exception) return hr;
  *exception = EXCEPINFO{};
  exception->scode = hr;
  exception->bstrSource = win32::Bstr(source).detach();
  exception->bstrDescription = win32::Bstr(description).detach();
  return DISP_E_EXCEPTION;
}

} // namespace

std::atomic<long> &liveObjects() {
  static std::atomic<long> count{0};
  return count;
}

LabDispatch::LabDispatch(const char *source) : source_(source) { ++liveObjects(); }
LabDispatch::~LabDispatch() { --liveObjects(); }

HRESULT LabDispatch::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch *>(this);
  } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
    *out = static_cast<ISupportErrorInfo *>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG LabDispatch::AddRef() { return ++references_; }

ULONG LabDispatch::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
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
    return E_OUTOFMEMORY;
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
  } catch (const LabError &error) {
    VariantClear(&out);
    return report(source_, static_cast<HRESULT>(error.code()), error.what(), exception);
  } catch (const std::bad_alloc &) {
    VariantClear(&out);
    return report(source_, E_OUTOFMEMORY, "Out of memory", exception);
  } catch (const std::exception &error) {
    VariantClear(&out);
    return report(source_, E_FAIL, error.what(), exception);
  }
}

HRESULT LabDispatch::InterfaceSupportsErrorInfo(REFIID iid) {
  return IsEqualIID(iid, IID_IDispatch) ? S_OK : S_FALSE;
}

void awaitAnswer(const Computer *host) {
  if (!host) return;
  while (!host->answers)
    Sleep(INFINITE);
  if (host->latencyMs > 0) Sleep(static_cast<DWORD>(host->latencyMs));
}

void giveObject(LabDispatch *object, VARIANT &out) {
  VariantClear(&out);
  V_VT(&out) = VT_DISPATCH;
  V_DISPATCH(&out) = object;
}

DISPID findMember(const NamedMember *members, std::size_t count, std::string_view name) {
  for (std::size_t i = 0; i < count; ++i)
    if (equalsNoCase(members[i].name, name)) return members[i].id;
  return DISPID_UNKNOWN;
}

} // namespace qv::lab
