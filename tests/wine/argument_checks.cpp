// What typed clients send and receive beyond what scripts do: typed
// by-reference arguments written back in their own types, named arguments
// as VBA sends them, the refusals IDispatch owes, errors without EXCEPINFO
// through the HRESULT and the thread's error information, and values that
// must cross unchanged (IIf hands its argument back).

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

struct Refusal {
  const char *what;
  const wchar_t *member;
  std::vector<VariantValue> args;
  std::vector<DISPID> named; // positions of the last arguments
  HRESULT hr;
  WORD flags = DISPATCH_METHOD;
};

void checkRefusals(Checks &checks, IDispatch *util) {
  const Refusal refusals[] = {
      {"a missing argument", L"Val", {}, {}, DISP_E_BADPARAMCOUNT},
      {"an extra argument", L"Val", {text(L"1"), text(L"1")}, {}, DISP_E_BADPARAMCOUNT},
      {"a gap for a required argument", L"Val", {gap()}, {}, DISP_E_PARAMNOTOPTIONAL},
      {"a put of a method", L"Val", {text(L"1")}, {}, DISP_E_MEMBERNOTFOUND, DISPATCH_PROPERTYPUT},
      {"a name for a position passed", L"IIf", {boolean(true), int32(1)}, {0}, DISP_E_PARAMNOTFOUND},
      {"a name past the last parameter", L"IIf", {boolean(true), int32(1)}, {7}, DISP_E_PARAMNOTFOUND},
      {"a required parameter left out", L"IIf", {boolean(true), int32(1)}, {2}, DISP_E_PARAMNOTOPTIONAL},
  };
  for (const Refusal &r : refusals) {
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
  checks.expect(textOf(*chosen.value.get()) == "t",
                "named arguments in any order reach their own parameters");
  // EnumLogEvents ".", "Application", pagenum:=page (a typed variable),
  // pagesize left out; then the same with pagenum in a typed VT_I2.
  long page = 2;
  call(events, L"EnumLogEvents", {text(L"."), text(L"Application"), byRef(VT_I4, &page)}, DISPATCH_METHOD,
       true, {3});
  short shortPage = 1;
  call(events, L"EnumLogEvents", {text(L"."), text(L"Application"), int32(10), byRef(VT_I2, &shortPage)});
  checks.expect(page == 1 && shortPage == 0, "pagenum is written back into typed references, also by name");
  // The VARIANT owns the BSTR the callee replaces.
  VariantValue stamp = text(L"  20240102030405.000000+060  ");
  call(util, L"translateStringDate", {byRef(VT_BSTR, &V_BSTR(stamp.get()))});
  checks.expect(std::wstring(V_BSTR(stamp.get())) == L"20240102030405.000000+060",
                "the trimmed text is written back into a typed BSTR reference");
}

void checkErrors(Checks &checks, IDispatch *util) {
  HRESULT hr = call(util, L"formatDateTime", {date(45000.5), int32(9)}, DISPATCH_METHOD, false).hr;
  ComPtr<IErrorInfo> info;
  Bstr said[2];
  if (GetErrorInfo(0, info.put()) == S_OK) {
    info->GetSource(said[0].put());
    info->GetDescription(said[1].put());
  }
  auto supports = ComPtr<IDispatch>(util).query<ISupportErrorInfo>(IID_ISupportErrorInfo);
  checks.expect(hr == static_cast<HRESULT>(0x800A0005) &&
                    said[0].utf8() + ": " + said[1].utf8() ==
                        "Quorvane: Invalid procedure call or argument" &&
                    supports && supports->InterfaceSupportsErrorInfo(DIID__Util) == S_OK,
                "without EXCEPINFO the error's own HRESULT returns (" + hex(hr) + ") and IErrorInfo, which " +
                    "ISupportErrorInfo announces for _Util, says " + said[0].utf8() + ": " + said[1].utf8());
}

// Arrays compare by their bounds and items, objects by identity.
bool sameValue(const VARIANT &a, const VARIANT &b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_DISPATCH) return V_DISPATCH(&a) == V_DISPATCH(&b);
  if (V_VT(&a) & VT_ARRAY) {
    const SAFEARRAYBOUND x = V_ARRAY(&a)->rgsabound[0];
    const SAFEARRAYBOUND y = V_ARRAY(&b)->rgsabound[0];
    bool same = x.lLbound == y.lLbound && x.cElements == y.cElements;
    for (ULONG i = 0; same && i < x.cElements; ++i)
      same = V_VT(&a) == (VT_ARRAY | VT_UI1)
                 ? static_cast<BYTE *>(V_ARRAY(&a)->pvData)[i] == static_cast<BYTE *>(V_ARRAY(&b)->pvData)[i]
                 : sameValue(static_cast<VARIANT *>(V_ARRAY(&a)->pvData)[i],
                             static_cast<VARIANT *>(V_ARRAY(&b)->pvData)[i]);
    return same;
  }
  return VarCmp(const_cast<VARIANT *>(&a), const_cast<VARIANT *>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

VariantValue byte(BYTE value) { return typed(VT_UI1, &VARIANT::bVal, value); }

// A one-dimensional array from lower, of VARIANTs or (VT_UI1) of bytes.
VariantValue arrayOf(VARTYPE type, LONG lower, std::vector<VariantValue> items) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), lower};
  VariantValue array = typed(VT_ARRAY | type, &VARIANT::parray, SafeArrayCreate(type, 1, &bound));
  for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
    LONG index = lower + i;
    VARIANT *item = items[i].get();
    SafeArrayPutElement(V_ARRAY(array.get()), &index,
                        type == VT_UI1 ? static_cast<void *>(&V_UI1(item)) : item);
  }
  return array;
}

// An event's data stays a byte array; other arrays keep their lower bound.
void checkValues(Checks &checks, IDispatch *util) {
  ComPtr<IDispatch> foreign = create(L"Scripting.Dictionary");
  const std::pair<const char *, VariantValue> cases[] = {
      {"VT_UI1", byte(200)},
      {"VT_BSTR", text(L"gr\u00FC\u00DFe \u65E5\u672C")},
      {"a byte array", arrayOf(VT_UI1, 0, {byte(5), byte(64), byte(0), byte(255)})},
      {"an array from 1", arrayOf(VT_VARIANT, 1, {int32(5), text(L"b")})},
      {"a foreign object", object(foreign.get())},
      {"Nothing", object(nullptr)},
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
  checkRefusals(checks, util.get());
  checkNamedArguments(checks, util.get(), events.get());
  checkErrors(checks, util.get());
  checkValues(checks, util.get());
}

} // namespace qv::comcheck
