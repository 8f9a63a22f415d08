#pragma once
// The COM-level checks of quorvane.dll, and the calls they make through
// IDispatch the way typed and script clients do, keeping the raw HRESULT.

#include <windows.h>

#include <oaidl.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"
#include "platform/win32/variant_value.hpp"
#include "quorvane_h.h"
#include "tests/support/checks.hpp"

namespace qv::comcheck {

using check::Checks;
using win32::Bstr;
using win32::ComPtr;
using win32::VariantValue;

// Each kind of exception becomes one HRESULT, EXCEPINFO and IErrorInfo.
void checkErrorTranslation(Checks &checks);
// Registration writes exactly the module's own keys and removes them again.
void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath);
// The type library against the dispatch tables, and IProvideClassInfo2.
void checkTypeLibrary(Checks &checks);
// Argument forms, named arguments, write-back, refusals, error reporting
// and values crossing unchanged.
void checkArguments(Checks &checks);
// Command captures on two threads at once (needs capture_child.exe beside
// the checks).
void checkCapturesSideBySide(Checks &checks);

// Every creatable class: its coclass (the programmatic name is
// "Quorvane." and the coclass), identifiers and number of members.
struct Class {
  const wchar_t *coclass;
  const CLSID *clsid;
  const IID *iid;
  std::size_t members;
  // The interface's own name: "_" and the class name, except where the
  // interface was named on its own (_Process of class process).
  const wchar_t *interfaceName;
};
inline const Class kClasses[] = {
    {L"Services", &CLSID_Services, &DIID__Services, 8, L"_Services"},
    {L"iis", &CLSID_iis, &DIID__iis, 13, L"_iis"},
    {L"IisSite", &CLSID_IisSite, &DIID__IisSite, 25, L"_IisSite"},
    {L"Util", &CLSID_Util, &DIID__Util, 4, L"_Util"},
    {L"ServerInfo", &CLSID_ServerInfo, &DIID__ServerInfo, 6, L"_ServerInfo"},
    {L"process", &CLSID_process, &DIID__Process, 3, L"_Process"},
    {L"EventLog", &CLSID_EventLog, &DIID__EventLog, 6, L"_EventLog"},
    {L"TerminalServices", &CLSID_TerminalServices, &DIID__TerminalServices, 2, L"_TerminalServices"},
    {L"Tools", &CLSID_Tools, &DIID__Tools, 6, L"_Tools"},
    {L"Fleet", &CLSID_Fleet, &DIID__Fleet, 3, L"_Fleet"},
};

inline std::string hex(long value) {
  char text[16];
  return std::string(text, std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value)));
}

inline std::string narrow(const std::wstring &text) { return std::string(text.begin(), text.end()); }

// By programmatic name; "Quorvane." is added to a bare coclass name.
inline ComPtr<IDispatch> create(const std::wstring &name) {
  CLSID clsid;
  ComPtr<IDispatch> object;
  std::wstring progId = name.find(L'.') == std::wstring::npos ? L"Quorvane." + name : name;
  if (SUCCEEDED(CLSIDFromProgID(progId.c_str(), &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, object.putVoid());
  return object;
}

inline DISPID idOf(IDispatch *object, const wchar_t *name) {
  DISPID id = DISPID_UNKNOWN;
  object->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(&name), 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

struct CallResult {
  HRESULT hr = S_OK;
  VariantValue value;
};

// args in call order, passed exactly as given (by reference when built so);
// the last named.size() of them are named by the positions in named, and
// sent first, as VBA sends them.
inline CallResult call(IDispatch *object, const wchar_t *name, const std::vector<VariantValue> &args,
                       WORD flags = DISPATCH_METHOD, bool withExceptionInfo = true,
                       std::vector<DISPID> named = {}) {
  std::vector<VARIANT> reversed;
  std::transform(args.rbegin(), args.rend(), std::back_inserter(reversed),
                 [](auto &arg) { return *arg.get(); });
  std::reverse(named.begin(), named.end());
  DISPPARAMS params{reversed.data(), named.data(), static_cast<UINT>(reversed.size()),
                    static_cast<UINT>(named.size())};
  EXCEPINFO info{};
  CallResult result;
  result.hr = object->Invoke(idOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                             result.value.get(), withExceptionInfo ? &info : nullptr, nullptr);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  return result;
}

inline std::string textOf(const VARIANT &value) {
  VariantValue converted;
  VariantChangeType(converted.get(), const_cast<VARIANT *>(&value), 0, VT_BSTR);
  return converted.type() == VT_BSTR ? win32::fromBstr(V_BSTR(converted.get())) : "<no text>";
}

// The thread's error information as "source: description", "" when none.
inline std::string threadError() {
  ComPtr<IErrorInfo> info;
  Bstr source;
  Bstr description;
  if (GetErrorInfo(0, info.put()) != S_OK) return "";
  info->GetSource(source.put());
  info->GetDescription(description.put());
  return source.utf8() + ": " + description.utf8();
}

template <class Field, class T> VariantValue typed(VARTYPE type, Field field, T value) {
  VariantValue v;
  V_VT(v.get()) = type;
  (*v.get()).*field = value;
  return v;
}
inline VariantValue text(const wchar_t *v) { return typed(VT_BSTR, &VARIANT::bstrVal, SysAllocString(v)); }
inline VariantValue int32(long v) { return typed(VT_I4, &VARIANT::lVal, v); }
inline VariantValue boolean(bool v) { return typed(VT_BOOL, &VARIANT::boolVal, v ? VARIANT_TRUE : 0); }
// A variable passed by reference in its own type, as typed clients do.
inline VariantValue byRef(VARTYPE type, void *to) { return typed(VT_BYREF | type, &VARIANT::byref, to); }
// An omitted optional argument.
inline VariantValue gap() { return typed(VT_ERROR, &VARIANT::scode, DISP_E_PARAMNOTFOUND); }

// ServerInfo.osInfo("."): a record of 13 fields, or Empty.
inline VariantValue osRecord() {
  ComPtr<IDispatch> info = create(L"ServerInfo");
  return info ? call(info.get(), L"osInfo", {text(L".")}).value : VariantValue();
}

} // namespace qv::comcheck
