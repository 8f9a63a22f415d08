// What typed clients send and receive beyond what scripts do: typed
// by-reference arguments written back in their own types, named arguments
// as VBA sends them, the refusals IDispatch owes, and errors without
// EXCEPINFO through the HRESULT and the thread's error information.

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

void checkRefusals(Checks &checks, IDispatch *util) {
  const struct {
    const char *what;
    const wchar_t *member;
    std::vector<VariantValue> args;
    std::vector<DISPID> named;
    WORD flags;
    HRESULT hr;
  } refusals[] = {
      {"a missing argument", L"Val", {}, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
      {"an extra argument", L"Val", {text(L"1"), text(L"1")}, {}, DISPATCH_METHOD, DISP_E_BADPARAMCOUNT},
      {"a gap for a required argument", L"Val", {gap()}, {}, DISPATCH_METHOD, DISP_E_PARAMNOTOPTIONAL},
      {"a put of a method", L"Val", {text(L"1")}, {}, DISPATCH_PROPERTYPUT, DISP_E_MEMBERNOTFOUND},
      {"a name for a position also passed positionally",
       L"IIf",
       {boolean(true), boolean(true)},
       {0},
       DISPATCH_METHOD,
       DISP_E_PARAMNOTFOUND},
      {"a name past the last parameter",
       L"IIf",
       {boolean(true), int32(1)},
       {7},
       DISPATCH_METHOD,
       DISP_E_PARAMNOTFOUND},
      {"a required parameter left out between named ones",
       L"IIf",
       {boolean(true), int32(1)},
       {2},
       DISPATCH_METHOD,
       DISP_E_PARAMNOTOPTIONAL},
  };
  for (const auto &r : refusals) {
    HRESULT hr = call(util, r.member, r.args, r.flags, true, r.named).hr;
    checks.expect(hr == r.hr, std::string(r.what) + " is refused with " + hex(r.hr) + ", got " + hex(hr));
  }
}

void checkNamedArguments(Checks &checks, IDispatch *util, IDispatch *events) {
  const wchar_t *names[] = {L"enumlogevents", L"PageNum", L"computer", L"pagesize", L"enumFromLog"};
  std::vector<DISPID> ids(5);
  checks.expect(events->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names), 5, 0, ids.data()) == S_OK &&
                    ids == std::vector<DISPID>{3, 3, 0, 2, 1},
                "GetIDsOfNames gives the member's DISPID and each parameter's position, in any case");
  names[4] = L"page";
  checks.expect(events->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names), 5, 0, ids.data()) ==
                        DISP_E_UNKNOWNNAME &&
                    ids == std::vector<DISPID>{3, 3, 0, 2, DISPID_UNKNOWN},
                "an unknown parameter name gives DISP_E_UNKNOWNNAME and DISPID_UNKNOWN for it alone");

  // IIf True, falsepart:="f", truepart:="t"
  CallResult chosen =
      call(util, L"IIf", {boolean(true), text(L"f"), text(L"t")}, DISPATCH_METHOD, true, {2, 1});
  checks.expect(chosen.hr == S_OK && textOf(*chosen.value.get()) == "t",
                "named arguments in any order reach their own parameters: " + textOf(*chosen.value.get()));
  // EnumLogEvents ".", "Application", pagenum:=page, with pagesize left out
  long page = 2;
  CallResult paged = call(events, L"EnumLogEvents", {text(L"."), text(L"Application"), byRef(VT_I4, &page)},
                          DISPATCH_METHOD, true, {3});
  checks.expect(paged.hr == S_OK && page == 1,
                "a named pagenum after a left-out pagesize is written back as the page counted from 0");
}

void checkWriteBack(Checks &checks, IDispatch *util, IDispatch *events) {
  // The VARIANT owns the BSTR the callee replaces.
  VariantValue stamp = text(L"  20240102030405.000000+060  ");
  CallResult date = call(util, L"translateStringDate", {byRef(VT_BSTR, &V_BSTR(stamp.get()))});
  checks.expect(date.hr == S_OK && std::wstring(V_BSTR(stamp.get())) == L"20240102030405.000000+060",
                "the trimmed text is written back into a typed BSTR reference");
  short page = 1;
  call(events, L"EnumLogEvents", {text(L"."), text(L"Application"), int32(10), byRef(VT_I2, &page)});
  checks.expect(page == 0, "a typed VT_BYREF|VT_I2 pagenum receives 0");
}

void checkErrors(Checks &checks, IDispatch *util) {
  CallResult bare = call(util, L"formatDateTime", {date(45000.5), int32(9)}, DISPATCH_METHOD, false);
  ComPtr<IErrorInfo> info;
  Bstr description;
  Bstr source;
  if (GetErrorInfo(0, info.put()) == S_OK) {
    info->GetDescription(description.put());
    info->GetSource(source.put());
  }
  checks.expect(bare.hr == static_cast<HRESULT>(0x800A0005) && source.utf8() == "Quorvane" &&
                    description.utf8() == "Invalid procedure call or argument",
                "without EXCEPINFO the error's own HRESULT returns (" + hex(bare.hr) +
                    ") and IErrorInfo says " + source.utf8() + ": " + description.utf8());
  auto supports = ComPtr<IDispatch>(util).query<ISupportErrorInfo>(IID_ISupportErrorInfo);
  checks.expect(supports && supports->InterfaceSupportsErrorInfo(IID_IDispatch) == S_OK &&
                    supports->InterfaceSupportsErrorInfo(DIID__Util) == S_OK,
                "ISupportErrorInfo answers for IDispatch and _Util");
  call(util, L"formatDateTime", {date(45000.5), int32(9)});
  call(util, L"Val", {text(L"1")});
  ComPtr<IErrorInfo> stale;
  checks.expect(GetErrorInfo(0, stale.put()) == S_FALSE,
                "a successful call leaves no error information behind");
}

} // namespace

void checkArguments(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Util");
  ComPtr<IDispatch> events = create(L"EventLog");
  checks.expect(util && events, "Util and EventLog are creatable");
  if (!util || !events) return;
  checkRefusals(checks, util.get());
  checkNamedArguments(checks, util.get(), events.get());
  checkWriteBack(checks, util.get(), events.get());
  checkErrors(checks, util.get());
}

} // namespace qv::comcheck
