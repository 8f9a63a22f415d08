#include "platform/win32/late_bound.hpp"

#include <string>

#include "core/automation_error.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/platform_error.hpp"

namespace qv::win32 {
namespace {

// Invokes with arguments given in call order (DISPPARAMS wants them last to
// first).
VariantValue invoke(IDispatch *object, DISPID id, WORD flags, std::vector<VARIANT> &callOrder) {
  std::vector<VARIANT> reversed(callOrder.rbegin(), callOrder.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  VariantValue result;
  EXCEPINFO info{};
  UINT argError = 0;
  forgetErrorInfo();
  HRESULT hr = object->Invoke(
      id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
      (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) ? nullptr : result.get(), &info, &argError);
  if (FAILED(hr)) throwPlatformError(hr, &info);
  return result;
}

ComPtr<IDispatch> requireObject(IDispatch *object) {
  if (!object) throwRuntimeError(kObjectNotSet);
  return ComPtr<IDispatch>(object);
}

} // namespace

ComPtr<IDispatch> bindDisplayName(std::string_view displayName) {
  std::wstring name = toWide(displayName);
  forgetErrorInfo();
  ComPtr<IBindCtx> context;
  check(CreateBindCtx(0, context.put()));
  ULONG eaten = 0;
  ComPtr<IMoniker> moniker;
  check(MkParseDisplayName(context.get(), name.c_str(), &eaten, moniker.put()));
  ComPtr<IUnknown> bound;
  check(moniker->BindToObject(context.get(), nullptr, IID_IUnknown, bound.putVoid()));
  ComPtr<IDispatch> dispatch;
  check(bound->QueryInterface(IID_IDispatch, dispatch.putVoid()));
  return dispatch;
}

DISPID memberId(IDispatch *object, std::string_view name) {
  requireObject(object);
  std::wstring wide = toWide(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  forgetErrorInfo();
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) throwPlatformError(hr);
  return id;
}

VariantValue getProperty(IDispatch *object, std::string_view name) {
  std::vector<VARIANT> none;
  return invoke(object, memberId(object, name), DISPATCH_PROPERTYGET | DISPATCH_METHOD, none);
}

void putProperty(IDispatch *object, std::string_view name, const VARIANT &value) {
  std::vector<VARIANT> args{value};
  WORD flags = (V_VT(&value) == VT_DISPATCH) ? DISPATCH_PROPERTYPUTREF : DISPATCH_PROPERTYPUT;
  invoke(object, memberId(object, name), flags, args);
}

VariantValue callMethod(IDispatch *object, std::string_view name, std::vector<VariantValue> &args) {
  DISPID id = memberId(object, name);
  std::vector<VARIANT> byReference(args.size());
  for (std::size_t i = 0; i < args.size(); ++i) {
    VariantInit(&byReference[i]);
    V_VT(&byReference[i]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byReference[i]) = args[i].get();
  }
  return invoke(object, id, DISPATCH_METHOD | DISPATCH_PROPERTYGET, byReference);
}

VariantValue callMethod(IDispatch *object, std::string_view name) {
  std::vector<VariantValue> none;
  return callMethod(object, name, none);
}

ComPtr<IEnumVARIANT> enumeratorOf(IDispatch *object) {
  requireObject(object);
  std::vector<VARIANT> none;
  VariantValue result = invoke(object, DISPID_NEWENUM, DISPATCH_METHOD | DISPATCH_PROPERTYGET, none);
  IUnknown *unknown = nullptr;
  if (result.type() == VT_UNKNOWN) unknown = V_UNKNOWN(result.get());
  if (result.type() == VT_DISPATCH) unknown = V_DISPATCH(result.get());
  if (!unknown) throwRuntimeError(kNoSuchMember);
  ComPtr<IEnumVARIANT> enumerator;
  check(unknown->QueryInterface(IID_IEnumVARIANT, enumerator.putVoid()));
  return enumerator;
}

ComPtr<IDispatch> dispatchIn(const VariantValue &value) {
  const VARIANT *v = value.get();
  if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
  if (V_VT(v) == VT_DISPATCH) {
    if (!V_DISPATCH(v)) throwRuntimeError(kObjectNotSet);
    return ComPtr<IDispatch>(V_DISPATCH(v));
  }
  if (V_VT(v) == VT_UNKNOWN && V_UNKNOWN(v)) {
    ComPtr<IDispatch> dispatch;
    check(V_UNKNOWN(v)->QueryInterface(IID_IDispatch, dispatch.putVoid()));
    return dispatch;
  }
  if (V_VT(v) == VT_EMPTY || V_VT(v) == VT_NULL || V_VT(v) == VT_UNKNOWN) throwRuntimeError(kObjectNotSet);
  throwRuntimeError(kTypeMismatch);
}

} // namespace qv::win32
