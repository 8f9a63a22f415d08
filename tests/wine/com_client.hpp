#pragma once
// Calls through IDispatch the way typed and script clients do, keeping the
// raw HRESULT, result and exception information for the checks.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <vector>

#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"
#include "platform/win32/variant_value.hpp"
#include "tests/wine/checks.hpp"

namespace qv::comcheck {

using win32::Bstr;
using win32::ComPtr;
using win32::VariantValue;

struct CallResult {
  HRESULT hr = S_OK;
  VariantValue value;
  std::string source;
  std::string description;
  SCODE scode = 0;
  WORD wCode = 0;
};

ComPtr<IDispatch> create(const wchar_t *progId);
DISPID idOf(IDispatch *object, const wchar_t *name);

// args in call order; they are passed exactly as given (by reference when
// the caller built VT_BYREF values).
CallResult call(IDispatch *object, const wchar_t *name, std::vector<VARIANT> args,
                WORD flags = DISPATCH_METHOD, bool withExceptionInfo = true);
CallResult put(IDispatch *object, const wchar_t *name, VARIANT value, WORD flags = DISPATCH_PROPERTYPUT);

// Plain values; a text must be freed by its caller (owned() does that).
VARIANT text(const wchar_t *value);
VARIANT int32(long value);
VARIANT int16(short value);
VARIANT real(double value);
VARIANT date(double value);
VARIANT boolean(bool value);
VARIANT byRef(VARIANT *target);            // VT_BYREF|VT_VARIANT
VARIANT byRef(VARTYPE type, void *target); // VT_BYREF|type, as typed clients pass a variable
VARIANT gap();                             // an omitted optional argument
VARIANT object(IDispatch *value);          // not owned
VariantValue owned(VARIANT value);

std::string textOf(const VARIANT &value);

} // namespace qv::comcheck
