// The COM collection over a real result as typed clients use it: the
// default member by DISPID, and enumeration through IEnumVARIANT (the script
// tests cover what VBScript and JScript do with it).

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

CallResult item(IDispatch *collection, const VARIANT &index) {
  DISPPARAMS params{const_cast<VARIANT *>(&index), nullptr, 1, 0};
  CallResult result;
  result.hr = collection->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                 result.value.get(), nullptr, nullptr);
  return result;
}

// What a script cannot send: positions as doubles, and Item through
// DISPID_VALUE with both call flags.
void checkItems(Checks &checks, IDispatch *record) {
  VariantValue key = owned(text(L"operatingsystem"));
  CallResult byKey = item(record, *key.get());
  CallResult byPosition = item(record, real(2.0));
  checks.expect(byKey.hr == S_OK && byPosition.hr == S_OK &&
                    textOf(*byKey.value.get()) == textOf(*byPosition.value.get()),
                "DISPID_VALUE takes a key or a position given as a double");
}

void checkEnumeration(Checks &checks, IDispatch *record) {
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  VariantValue result;
  // JScript's Enumerator asks without EXCEPINFO.
  HRESULT hr = record->Invoke(DISPID_NEWENUM, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                              result.get(), nullptr, nullptr);
  checks.expect(hr == S_OK && result.type() == VT_UNKNOWN, "DISPID_NEWENUM gives an enumerator");
  if (result.type() != VT_UNKNOWN) return;
  ComPtr<IEnumVARIANT> items;
  V_UNKNOWN(result.get())->QueryInterface(IID_IEnumVARIANT, items.putVoid());
  checks.expect(static_cast<bool>(items), "the enumerator is an IEnumVARIANT");
  if (!items) return;
  long seen = 0;
  bool inOrder = true;
  for (;;) {
    VariantValue next;
    ULONG fetched = 0;
    if (items->Next(1, next.get(), &fetched) != S_OK || fetched != 1) break;
    ++seen;
    CallResult expected = item(record, int32(seen));
    inOrder = inOrder && textOf(*next.get()) == textOf(*expected.value.get());
  }
  checks.expect(seen == 13 && inOrder, "Next yields the items in position order");
  VARIANT batch[20];
  ULONG fetched = 0;
  items->Reset();
  checks.expect(items->Next(20, batch, &fetched) == S_FALSE && fetched == 13,
                "a batch stops at the end with S_FALSE");
  for (ULONG i = 0; i < fetched; ++i)
    VariantClear(&batch[i]);
  items->Reset();
  items->Skip(12);
  ComPtr<IEnumVARIANT> copy;
  items->Clone(copy.put());
  VariantValue last;
  checks.expect(copy && copy->Next(1, last.get(), &fetched) == S_OK && fetched == 1,
                "a clone continues where it was");
}

} // namespace

void checkCollections(Checks &checks) {
  ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
  if (!info) return;
  VariantValue computer = owned(text(L"."));
  CallResult os = call(info.get(), L"osInfo", {*computer.get()});
  checks.expect(os.hr == S_OK && os.value.type() == VT_DISPATCH, "osInfo(\".\") returns a record under Wine");
  if (os.value.type() == VT_DISPATCH) {
    checkItems(checks, V_DISPATCH(os.value.get()));
    checkEnumeration(checks, V_DISPATCH(os.value.get()));
  }
}

} // namespace qv::comcheck
