// What typed clients send and receive beyond what scripts do: typed
// by-reference arguments written back in their own types, named arguments
// as VBA sends them, the refusals IDispatch owes, errors without EXCEPINFO
// through the HRESULT and the thread's error information, and values that
// must cross unchanged (IIf hands its argument back).

#include <cstring>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

void checkErrors(Checks &checks, IDispatch *util) {
  HRESULT hr = call(util, L"formatDateTime", {int32(45000), int32(9)}, DISPATCH_METHOD, false).hr;
  const std::string said = threadError();
  auto supports = ComPtr<IDispatch>(util).query<ISupportErrorInfo>(IID_ISupportErrorInfo);
  checks.expect(hr == static_cast<HRESULT>(0x800A0005) &&
                    said == "Quorvane: Invalid procedure call or argument" && supports &&
                    supports->InterfaceSupportsErrorInfo(DIID__Util) == S_OK,
                "without EXCEPINFO the error's own HRESULT returns (" + hex(hr) + ") and IErrorInfo, which " +
                    "ISupportErrorInfo announces for _Util, says " + said);
  // A stale failure would be read as the outcome of the next call.
  call(util, L"formatDateTime", {int32(45000), int32(9)}, DISPATCH_METHOD, false);
  call(util, L"Val", {text(L"1")}, DISPATCH_METHOD, false);
  checks.expect(threadError().empty(), "a call that succeeds leaves no error information behind");
}

// Byte arrays compare by their bounds and bytes.
bool sameValue(const VARIANT &a, const VARIANT &b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) != (VT_ARRAY | VT_UI1))
    return VarCmp(const_cast<VARIANT *>(&a), const_cast<VARIANT *>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
  const SAFEARRAYBOUND x = V_ARRAY(&a)->rgsabound[0];
  const SAFEARRAYBOUND y = V_ARRAY(&b)->rgsabound[0];
  return x.lLbound == y.lLbound && x.cElements == y.cElements &&
         std::memcmp(V_ARRAY(&a)->pvData, V_ARRAY(&b)->pvData, x.cElements) == 0;
}

// A byte array (an event's data) from 1.
VariantValue bytes(std::vector<BYTE> items) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), 1};
  VariantValue array = typed(VT_ARRAY | VT_UI1, &VARIANT::parray, SafeArrayCreate(VT_UI1, 1, &bound));
  std::memcpy(V_ARRAY(array.get())->pvData, items.data(), items.size());
  return array;
}

// An event's data stays a byte array with its lower bound.
void checkValues(Checks &checks, IDispatch *util) {
  const std::pair<const char *, VariantValue> cases[] = {
      {"VT_UI1", typed(VT_UI1, &VARIANT::bVal, static_cast<BYTE>(200))},
      {"VT_BSTR", text(L"gr\u00FC\u00DFe \u65E5\u672C")},
      {"a byte array from 1", bytes({5, 64, 0, 255})},
  };
  for (const auto &[name, value] : cases) {
    VariantValue back = call(util, L"IIf", {boolean(true), value, int32(0)}).value;
    checks.expect(sameValue(*back.get(), *value.get()), std::string(name) + " crosses IIf unchanged");
  }
}

} // namespace

void checkArguments(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Util");
  ComPtr<IDispatch> events = create(L"EventLog");
  checks.expect(util && events, "Util and EventLog are creatable");
  if (!util || !events) return;
  // named: the positions of the last arguments
  auto refused = [&](const char *what, const wchar_t *member, const std::vector<VariantValue> &args,
                     const std::vector<DISPID> &named, HRESULT wanted) {
    HRESULT hr = call(util.get(), member, args, DISPATCH_METHOD, true, named).hr;
    checks.expect(hr == wanted, std::string(what) + " is refused with " + hex(wanted) + ", got " + hex(hr));
  };
  refused("a missing argument", L"Val", {}, {}, DISP_E_BADPARAMCOUNT);
  refused("an extra argument", L"Val", {text(L"1"), text(L"1")}, {}, DISP_E_BADPARAMCOUNT);
  refused("a gap for a required argument", L"Val", {gap()}, {}, DISP_E_PARAMNOTOPTIONAL);
  HRESULT put = call(util.get(), L"Val", {text(L"1")}, DISPATCH_PROPERTYPUT, true, {DISPID_PROPERTYPUT}).hr;
  checks.expect(put == DISP_E_MEMBERNOTFOUND, "a method refuses a put, got " + hex(put));
  refused("a name for a position passed", L"IIf", {boolean(true), int32(1)}, {0}, DISP_E_PARAMNOTFOUND);
  refused("a name past the last parameter", L"IIf", {boolean(true), int32(1)}, {7}, DISP_E_PARAMNOTFOUND);
  refused("a required parameter left out", L"IIf", {boolean(true), int32(1)}, {2}, DISP_E_PARAMNOTOPTIONAL);
  const wchar_t *names[] = {L"enumlogevents", L"PageNum", L"computer", L"pagesize", L"enumFromLog", L"page"};
  std::vector<DISPID> ids(6);
  checks.expect(events->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names), 6, 0, ids.data()) ==
                        DISP_E_UNKNOWNNAME &&
                    ids == std::vector<DISPID>{3, 3, 0, 2, 1, DISPID_UNKNOWN},
                "GetIDsOfNames gives the member's DISPID and each parameter's position in any case, and "
                "DISP_E_UNKNOWNNAME with DISPID_UNKNOWN for an unknown name alone");
  // IIf True, falsepart:="f", truepart:="t"
  CallResult chosen =
      call(util.get(), L"IIf", {boolean(true), text(L"f"), text(L"t")}, DISPATCH_METHOD, true, {2, 1});
  checks.expect(textOf(*chosen.value.get()) == "t",
                "named arguments in any order reach their own parameters");
  // EnumLogEvents ".", "Application", pagenum:=page (a typed variable),
  // pagesize left out; then the same with pagenum in a typed VT_I2.
  long page = 2;
  call(events.get(), L"EnumLogEvents", {text(L"."), text(L"Application"), byRef(VT_I4, &page)},
       DISPATCH_METHOD, true, {3});
  short page16 = 1;
  call(events.get(), L"EnumLogEvents", {text(L"."), text(L"Application"), int32(10), byRef(VT_I2, &page16)});
  checks.expect(page == 1 && page16 == 0, "pagenum is written back into typed references, also by name");
  // The VARIANT owns the BSTR the callee replaces.
  VariantValue stamp = text(L"  20240102030405.000000+060  ");
  call(util.get(), L"translateStringDate", {byRef(VT_BSTR, &V_BSTR(stamp.get()))});
  checks.expect(std::wstring(V_BSTR(stamp.get())) == L"20240102030405.000000+060",
                "the trimmed text is written back into a typed BSTR reference");
  checkErrors(checks, util.get());
  checkValues(checks, util.get());
}

} // namespace qv::comcheck
