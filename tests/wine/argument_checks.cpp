// What typed clients send and receive beyond what scripts do: typed
// by-reference arguments written back in their own types, the refusals
// IDispatch owes, and errors through EXCEPINFO or, without it, the HRESULT
// and the thread's error information.

#include "quorvane_h.h"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

constexpr HRESULT kInvalidCall = static_cast<HRESULT>(0x800A0005);

void checkRefusals(Checks &checks, IDispatch *util, IDispatch *services) {
  VariantValue one = owned(text(L"1"));
  checks.expect(call(util, L"Val", {}).hr == DISP_E_BADPARAMCOUNT, "a missing argument is refused");
  checks.expect(call(util, L"Val", {*one.get(), *one.get()}).hr == DISP_E_BADPARAMCOUNT,
                "an extra argument is refused");
  checks.expect(call(util, L"Val", {gap()}).hr == DISP_E_PARAMNOTOPTIONAL,
                "a gap for a required argument is refused");
  checks.expect(put(services, L"getWorkgroups", *one.get()).hr == DISP_E_MEMBERNOTFOUND,
                "a method refuses a put");
}

void checkWriteBack(Checks &checks, IDispatch *util, IDispatch *events) {
  // The VARIANT owns the BSTR the callee replaces.
  VariantValue stamp = owned(text(L"  20240102030405.000000+060  "));
  CallResult date = call(util, L"translateStringDate", {byRef(VT_BSTR, &V_BSTR(stamp.get()))});
  checks.expect(date.hr == S_OK && date.value.type() == VT_DATE, "translateStringDate gives a date");
  checks.expect(std::wstring(V_BSTR(stamp.get())) == L"20240102030405.000000+060",
                "the trimmed text is written back into a typed BSTR reference");

  // pagenum in its own type into a typed reference.
  VariantValue computer = owned(text(L"."));
  VariantValue log = owned(text(L"Application"));
  short shortPage = 1;
  call(events, L"EnumLogEvents", {*computer.get(), *log.get(), int32(10), byRef(VT_I2, &shortPage)});
  checks.expect(shortPage == 0, "a typed VT_BYREF|VT_I2 pagenum receives 0");
  long longPage = 7;
  call(events, L"EnumLogEvents", {*computer.get(), *log.get(), int32(10), byRef(VT_I4, &longPage)});
  checks.expect(longPage == 6, "a typed VT_BYREF|VT_I4 pagenum receives 6");
}

void checkErrors(Checks &checks, IDispatch *util) {
  CallResult withInfo = call(util, L"formatDateTime", {date(45000.5), int32(9)});
  checks.expect(withInfo.hr == DISP_E_EXCEPTION, "a failing call returns DISP_E_EXCEPTION with EXCEPINFO");
  checks.expect(withInfo.scode == kInvalidCall && withInfo.wCode == 0,
                "scode carries 0x800A0005, wCode stays 0");

  CallResult bare = call(util, L"formatDateTime", {date(45000.5), int32(9)}, DISPATCH_METHOD, false);
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

  call(util, L"formatDateTime", {date(45000.5), int32(9)});
  VariantValue one = owned(text(L"1"));
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
  checkRefusals(checks, util.get(), services.get());
  checkWriteBack(checks, util.get(), events.get());
  checkErrors(checks, util.get());
}

} // namespace qv::comcheck
