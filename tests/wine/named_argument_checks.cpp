// Named arguments as VBA sends them: names resolved by GetIDsOfNames to
// parameter positions, then DISPATCH_METHOD with rgdispidNamedArgs, the
// named arguments first and in any order, after the positional ones.

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

struct Named {
  HRESULT hr;
  std::vector<DISPID> ids;
};

Named namesOf(IDispatch *object, std::vector<const wchar_t *> names) {
  Named result{S_OK, std::vector<DISPID>(names.size(), 12345)};
  result.hr = object->GetIDsOfNames(IID_NULL, const_cast<LPOLESTR *>(names.data()),
                                    static_cast<UINT>(names.size()), 0, result.ids.data());
  return result;
}

// positional in call order; named as (position, value) pairs in the order
// sent.
HRESULT invokeNamed(IDispatch *object, DISPID member, std::vector<VARIANT> positional,
                    const std::vector<std::pair<DISPID, VARIANT>> &named, VariantValue &result) {
  std::vector<VARIANT> args;
  std::vector<DISPID> ids;
  for (const auto &[id, value] : named) {
    args.push_back(value);
    ids.push_back(id);
  }
  args.insert(args.end(), positional.rbegin(), positional.rend());
  DISPPARAMS params{args.data(), ids.data(), static_cast<UINT>(args.size()), static_cast<UINT>(ids.size())};
  return object->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &params, result.get(), nullptr, nullptr);
}

long countOf(const VariantValue &collection) {
  if (collection.type() != VT_DISPATCH) return -1;
  CallResult count = call(V_DISPATCH(collection.get()), L"Count", {}, DISPATCH_PROPERTYGET);
  return count.value.type() == VT_I4 ? V_I4(count.value.get()) : -1;
}

} // namespace

void checkNamedArguments(Checks &checks) {
  ComPtr<IDispatch> events = create(L"Quorvane.EventLog");
  if (!events) return;
  Named found =
      namesOf(events.get(), {L"enumlogevents", L"PageNum", L"computer", L"pagesize", L"enumFromLog"});
  checks.expect(found.hr == S_OK && found.ids == std::vector<DISPID>{3, 3, 0, 2, 1},
                "GetIDsOfNames gives the member's DISPID and each parameter's position, in any case");
  Named unknown = namesOf(events.get(), {L"EnumLogEvents", L"pagenum", L"page"});
  checks.expect(unknown.hr == DISP_E_UNKNOWNNAME && unknown.ids == std::vector<DISPID>{3, 3, DISPID_UNKNOWN},
                "an unknown parameter name gives DISP_E_UNKNOWNNAME and DISPID_UNKNOWN for it alone");

  // EnumLogEvents ".", pagenum:=page, enumFromLog:="Application", pagesize:=5
  VariantValue computer = owned(text(L"."));
  VariantValue log = owned(text(L"Application"));
  long page = 2;
  VariantValue byName;
  HRESULT hr = invokeNamed(events.get(), 3, {*computer.get()},
                           {{3, byRef(VT_I4, &page)}, {1, *log.get()}, {2, int32(5)}}, byName);
  checks.expect(hr == S_OK, "a call with named arguments in any order succeeds: " + hex(hr));
  checks.expect(page == 1, "the named pagenum is written back as the page counted from 0");
  VariantValue byPosition;
  invokeNamed(events.get(), 3, {*computer.get(), *log.get(), int32(5), int32(2)}, {}, byPosition);
  checks.expect(countOf(byName) >= 0 && countOf(byName) == countOf(byPosition),
                "the page equals the one asked for by position");

  // pagesize left out: its default applies.
  long defaulted = 1;
  VariantValue withDefault;
  hr = invokeNamed(events.get(), 3, {*computer.get(), *log.get()}, {{3, byRef(VT_I4, &defaulted)}},
                   withDefault);
  checks.expect(hr == S_OK && defaulted == 0, "an optional parameter left out between named ones is a gap");

  VariantValue refused;
  checks.expect(invokeNamed(events.get(), 3, {*computer.get(), *log.get()}, {{1, *log.get()}}, refused) ==
                    DISP_E_PARAMNOTFOUND,
                "a name for a position also passed positionally is refused");
  checks.expect(invokeNamed(events.get(), 3, {*computer.get()}, {{7, int32(1)}}, refused) ==
                    DISP_E_PARAMNOTFOUND,
                "a position past the last parameter is refused");
  checks.expect(invokeNamed(events.get(), 3, {*computer.get()}, {{3, int32(1)}}, refused) ==
                    DISP_E_PARAMNOTOPTIONAL,
                "a required parameter left out is refused");
}

} // namespace qv::comcheck
