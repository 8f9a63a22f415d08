// Argument forms a client may send, and what comes back: by-reference
// outputs written into the caller's variable with their declared types,
// also when the method fails afterwards; omitted optional arguments; the
// refusals IDispatch owes; errors through EXCEPINFO or, without it, the
// HRESULT and the thread's error information.

#include "quorvane_h.h"
#include "tests/wine/com_client.hpp"
#include "tests/wine/dispatch_checks.hpp"

namespace qv::comcheck {
namespace {

constexpr HRESULT kInvalidCall = static_cast<HRESULT>(0x800A0005);

void checkValForms(Checks &checks, IDispatch *util) {
  VariantValue plain;
  *plain.get() = text(L"12.5abc");
  VariantValue variable;
  *variable.get() = text(L"  7 5");
  BSTR typedText = SysAllocString(L"&H1F");
  VARIANT typedRef;
  VariantInit(&typedRef);
  V_VT(&typedRef) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&typedRef) = &typedText;

  struct Case {
    const char *what;
    VARIANT arg;
    double expected;
  } cases[] = {
      {"a plain text", *plain.get(), 12.5},
      {"a script variable (VT_BYREF|VT_VARIANT)", byRef(variable.get()), 75},
      {"a typed text reference (VT_BYREF|VT_BSTR)", typedRef, 31},
      {"a small literal (VT_I2)", int16(42), 42},
  };
  for (const auto &c : cases) {
    CallResult r = call(util, L"Val", {c.arg});
    checks.expect(r.hr == S_OK && r.value.type() == VT_R8 && V_R8(r.value.get()) == c.expected,
                  std::string("Val accepts ") + c.what + " (" + hex(r.hr) + ")");
  }
  checks.expect(call(util, L"vAL", {*plain.get()}).hr == S_OK, "member names match in any case");
  SysFreeString(typedText);
}

void checkRefusals(Checks &checks, IDispatch *util, IDispatch *services) {
  VariantValue one;
  *one.get() = text(L"1");
  checks.expect(call(util, L"Val", {}).hr == DISP_E_BADPARAMCOUNT, "a missing argument is refused");
  checks.expect(call(util, L"Val", {*one.get(), *one.get()}).hr == DISP_E_BADPARAMCOUNT,
                "an extra argument is refused");
  checks.expect(call(util, L"Val", {gap()}).hr == DISP_E_PARAMNOTOPTIONAL,
                "a gap for a required argument is refused");
  checks.expect(call(util, L"NoSuchMember", {}).hr == DISP_E_UNKNOWNNAME, "an unknown name is refused");

  CallResult setter = call(services, L"setComputerName", {}, DISPATCH_PROPERTYGET);
  checks.expect(setter.hr == DISP_E_MEMBERNOTFOUND, "a write-only property refuses a get");
  checks.expect(put(services, L"setComputerName", *one.get()).hr == S_OK,
                "a write-only property takes a put");
  checks.expect(put(services, L"getWorkgroups", *one.get()).hr == DISP_E_MEMBERNOTFOUND,
                "a method refuses a put");

  DISPID id = idOf(util, L"Val");
  DISPID named = 0;
  VARIANT arg = *one.get();
  DISPPARAMS params{&arg, &named, 1, 1};
  VariantValue result;
  checks.expect(util->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result.get(), nullptr, nullptr) ==
                    DISP_E_NONAMEDARGS,
                "named arguments are refused");
}

void checkWriteBack(Checks &checks, IDispatch *util, IDispatch *events) {
  // A typed text reference receives the trimmed text.
  BSTR typedText = SysAllocString(L"  20240102030405.000000+060  ");
  VARIANT typedRef;
  VariantInit(&typedRef);
  V_VT(&typedRef) = VT_BYREF | VT_BSTR;
  V_BSTRREF(&typedRef) = &typedText;
  CallResult date = call(util, L"translateStringDate", {typedRef});
  checks.expect(date.hr == S_OK && date.value.type() == VT_DATE, "translateStringDate gives a date");
  checks.expect(std::wstring(typedText) == L"20240102030405.000000+060",
                "the trimmed text is written back (BSTR)");
  SysFreeString(typedText);

  // A script variable is trimmed even though the conversion then fails.
  VariantValue variable;
  *variable.get() = text(L"  not a date  ");
  CallResult failed = call(util, L"translateStringDate", {byRef(variable.get())});
  checks.expect(failed.hr == DISP_E_EXCEPTION, "translateStringDate of a non-date fails");
  checks.expect(variable.type() == VT_BSTR && std::wstring(V_BSTR(variable.get())) == L"not a date",
                "the trimmed text is written back although the call failed");
  checks.expect(failed.description.rfind("Error translating string to date: ", 0) == 0,
                "the failure names the operation: " + failed.description);

  // pagenum: written back as a 32-bit number into a script variable, in
  // its own type into a typed reference.
  VariantValue computer;
  *computer.get() = text(L".");
  VariantValue log;
  *log.get() = text(L"Application");
  VariantValue page;
  *page.get() = int16(4);
  CallResult listed = call(events, L"EnumLogEvents", {*computer.get(), *log.get(), gap(), byRef(page.get())});
  checks.expect(listed.hr == S_OK, "EnumLogEvents with a gap for pagesize runs (" + hex(listed.hr) + ")");
  checks.expect(page.type() == VT_I4 && V_I4(page.get()) == 3, "pagenum 4 becomes the 32-bit number 3");

  short typedPage = 1;
  VARIANT typedPageRef;
  VariantInit(&typedPageRef);
  V_VT(&typedPageRef) = VT_BYREF | VT_I2;
  V_I2REF(&typedPageRef) = &typedPage;
  call(events, L"EnumLogEvents", {*computer.get(), *log.get(), int32(10), typedPageRef});
  checks.expect(typedPage == 0, "a typed VT_BYREF|VT_I2 pagenum receives 0");

  long longPage = 7;
  VARIANT longPageRef;
  VariantInit(&longPageRef);
  V_VT(&longPageRef) = VT_BYREF | VT_I4;
  V_I4REF(&longPageRef) = &longPage;
  call(events, L"EnumLogEvents", {*computer.get(), *log.get(), int32(10), longPageRef});
  checks.expect(longPage == 6, "a typed VT_BYREF|VT_I4 pagenum receives 6");

  checks.expect(call(events, L"EnumLogEvents", {*computer.get(), *log.get()}).hr == S_OK,
                "EnumLogEvents runs with both optional arguments omitted");
  checks.expect(call(events, L"EnumLogEvents", {*computer.get(), *log.get(), int32(5), int32(2)}).hr == S_OK,
                "a pagenum passed by value is accepted");
}

void checkErrors(Checks &checks, IDispatch *util) {
  VariantValue when;
  V_VT(when.get()) = VT_DATE;
  V_DATE(when.get()) = 45000.5;
  CallResult withInfo = call(util, L"formatDateTime", {*when.get(), int32(9)});
  checks.expect(withInfo.hr == DISP_E_EXCEPTION, "a failing call returns DISP_E_EXCEPTION with EXCEPINFO");
  checks.expect(withInfo.scode == kInvalidCall && withInfo.wCode == 0,
                "scode carries 0x800A0005, wCode stays 0");
  checks.expect(withInfo.source == "Quorvane",
                "the component's own error names its source: " + withInfo.source);
  checks.expect(withInfo.description == "Invalid procedure call or argument",
                "the runtime's text describes it: " + withInfo.description);

  CallResult bare = call(util, L"formatDateTime", {*when.get(), int32(9)}, DISPATCH_METHOD, false);
  checks.expect(bare.hr == kInvalidCall,
                "without EXCEPINFO the error's own HRESULT returns: " + hex(bare.hr));
  ComPtr<IErrorInfo> info;
  checks.expect(GetErrorInfo(0, info.put()) == S_OK && info, "the thread's error information is set");
  if (info) {
    Bstr description;
    Bstr source;
    info->GetDescription(description.put());
    info->GetSource(source.put());
    checks.expect(description.utf8() == "Invalid procedure call or argument" && source.utf8() == "Quorvane",
                  "IErrorInfo carries source and description");
  }
  ComPtr<ISupportErrorInfo> supports =
      ComPtr<IDispatch>(util).query<ISupportErrorInfo>(IID_ISupportErrorInfo);
  checks.expect(supports && supports->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK &&
                    supports->InterfaceSupportsErrorInfo(DIID__Util) == S_OK,
                "ISupportErrorInfo answers for IDispatch and _Util");

  call(util, L"formatDateTime", {*when.get(), int32(9)});
  VariantValue one;
  *one.get() = text(L"1");
  call(util, L"Val", {*one.get()});
  ComPtr<IErrorInfo> stale;
  checks.expect(GetErrorInfo(0, stale.put()) == S_FALSE,
                "a successful call leaves no error information behind");
}

} // namespace

void checkArguments(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Quorvane.Util");
  ComPtr<IDispatch> services = create(L"Quorvane.Services");
  ComPtr<IDispatch> events = create(L"Quorvane.EventLog");
  checks.expect(util && services && events, "Util, Services and EventLog are creatable");
  if (!util || !services || !events) return;
  checkValForms(checks, util.get());
  checkRefusals(checks, util.get(), services.get());
  checkWriteBack(checks, util.get(), events.get());
  checkErrors(checks, util.get());
}

} // namespace qv::comcheck
