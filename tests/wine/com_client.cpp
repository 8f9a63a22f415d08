#include "tests/wine/com_client.hpp"

#include <cstdio>

namespace qv::comcheck {

std::string hex(long value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%08lX", static_cast<unsigned long>(value));
  return buffer;
}

ComPtr<IDispatch> create(const wchar_t *progId) {
  CLSID clsid;
  ComPtr<IDispatch> object;
  if (SUCCEEDED(CLSIDFromProgID(progId, &clsid))) {
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid());
  }
  return object;
}

DISPID idOf(IDispatch *object, const wchar_t *name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return DISPID_UNKNOWN;
  return id;
}

CallResult call(IDispatch *object, const wchar_t *name, std::vector<VARIANT> args, WORD flags,
                bool withExceptionInfo) {
  CallResult result;
  DISPID id = idOf(object, name);
  if (id == DISPID_UNKNOWN) {
    result.hr = DISP_E_UNKNOWNNAME;
    return result;
  }
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  EXCEPINFO info{};
  UINT argError = 0;
  result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.value.get(),
                             withExceptionInfo ? &info : nullptr, &argError);
  if (result.hr == DISP_E_EXCEPTION) {
    Bstr source = Bstr::adopt(info.bstrSource);
    Bstr description = Bstr::adopt(info.bstrDescription);
    Bstr help = Bstr::adopt(info.bstrHelpFile);
    result.source = info.bstrSource ? source.utf8() : "<null>";
    result.description = info.bstrDescription ? description.utf8() : "<null>";
    result.scode = info.scode;
    result.wCode = info.wCode;
  }
  return result;
}

CallResult put(IDispatch *object, const wchar_t *name, VARIANT value, WORD flags) {
  return call(object, name, {value}, flags);
}

namespace {

template <typename Fill> VARIANT typed(VARTYPE type, Fill fill) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = type;
  fill(v);
  return v;
}

} // namespace

VARIANT text(const wchar_t *value) {
  return typed(VT_BSTR, [&](VARIANT &v) { V_BSTR(&v) = SysAllocString(value); });
}
VARIANT int32(long value) {
  return typed(VT_I4, [&](VARIANT &v) { V_I4(&v) = value; });
}
VARIANT int16(short value) {
  return typed(VT_I2, [&](VARIANT &v) { V_I2(&v) = value; });
}
VARIANT real(double value) {
  return typed(VT_R8, [&](VARIANT &v) { V_R8(&v) = value; });
}
VARIANT date(double value) {
  return typed(VT_DATE, [&](VARIANT &v) { V_DATE(&v) = value; });
}
VARIANT boolean(bool value) {
  return typed(VT_BOOL, [&](VARIANT &v) { V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE; });
}
VARIANT byRef(VARIANT *target) {
  return typed(VT_BYREF | VT_VARIANT, [&](VARIANT &v) { V_VARIANTREF(&v) = target; });
}
VARIANT byRef(VARTYPE type, void *target) {
  return typed(VT_BYREF | type, [&](VARIANT &v) { V_BYREF(&v) = target; });
}
VARIANT gap() {
  return typed(VT_ERROR, [](VARIANT &v) { V_ERROR(&v) = DISP_E_PARAMNOTFOUND; });
}
VARIANT object(IDispatch *value) {
  return typed(VT_DISPATCH, [&](VARIANT &v) { V_DISPATCH(&v) = value; });
}

VariantValue owned(VARIANT value) {
  VariantValue result;
  *result.get() = value;
  return result;
}

std::string textOf(const VARIANT &value) {
  VariantValue converted;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT *>(&value), 0, VT_BSTR)))
    return "<no text>";
  return win32::fromBstr(V_BSTR(converted.get()));
}

} // namespace qv::comcheck
