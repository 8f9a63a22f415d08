#include "tests/wine/com_client.hpp"

#include <cstdio>

#include "tests/wine/checks.hpp"

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

namespace {

CallResult invoke(IDispatch *object, DISPID id, std::vector<VARIANT> args, WORD flags,
                  bool withExceptionInfo) {
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  CallResult result;
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

} // namespace

CallResult call(IDispatch *object, const wchar_t *name, std::vector<VARIANT> args, WORD flags,
                bool withExceptionInfo) {
  DISPID id = idOf(object, name);
  if (id == DISPID_UNKNOWN) {
    CallResult unknown;
    unknown.hr = DISP_E_UNKNOWNNAME;
    return unknown;
  }
  return invoke(object, id, std::move(args), flags, withExceptionInfo);
}

CallResult put(IDispatch *object, const wchar_t *name, VARIANT value, WORD flags) {
  return call(object, name, {value}, flags);
}

VARIANT text(const wchar_t *value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BSTR;
  V_BSTR(&v) = SysAllocString(value);
  return v;
}

VARIANT int32(long value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I4;
  V_I4(&v) = value;
  return v;
}

VARIANT int16(short value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_I2;
  V_I2(&v) = value;
  return v;
}

VARIANT real(double value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_R8;
  V_R8(&v) = value;
  return v;
}

VARIANT byRef(VARIANT *target) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_BYREF | VT_VARIANT;
  V_VARIANTREF(&v) = target;
  return v;
}

VARIANT gap() {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_ERROR;
  V_ERROR(&v) = DISP_E_PARAMNOTFOUND;
  return v;
}

VARIANT object(IDispatch *value) {
  VARIANT v;
  VariantInit(&v);
  V_VT(&v) = VT_DISPATCH;
  V_DISPATCH(&v) = value;
  return v;
}

std::string textOf(const VARIANT &value) {
  VariantValue converted;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT *>(&value), 0, VT_BSTR)))
    return "<no text>";
  return win32::fromBstr(V_BSTR(converted.get()));
}

} // namespace qv::comcheck
