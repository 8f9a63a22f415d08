// The COM collection over a real result: Item as the default member by
// position or key, Count, Add and Remove on the same live object, and
// enumeration through IEnumVARIANT.

#include "tests/wine/com_client.hpp"
#include "tests/wine/dispatch_checks.hpp"

namespace qv::comcheck {
namespace {

constexpr SCODE kSubscript = static_cast<SCODE>(0x800A0009);
constexpr SCODE kInvalidCall = static_cast<SCODE>(0x800A0005);
constexpr SCODE kDuplicateKey = static_cast<SCODE>(0x800A01C9);

CallResult item(IDispatch *collection, const VARIANT &index) {
  DISPPARAMS params{const_cast<VARIANT *>(&index), nullptr, 1, 0};
  CallResult result;
  EXCEPINFO info{};
  result.hr = collection->Invoke(DISPID_VALUE, IID_NULL, 0, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                                 result.value.get(), &info, nullptr);
  result.scode = info.scode;
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrHelpFile);
  return result;
}

long countOf(IDispatch *collection) {
  CallResult count = call(collection, L"Count", {}, DISPATCH_PROPERTYGET);
  return count.value.type() == VT_I4 ? V_I4(count.value.get()) : -1;
}

void checkItems(Checks &checks, IDispatch *record) {
  checks.expect(countOf(record) == 13, "Count is a 32-bit number: the osInfo record has 13 fields");
  VariantValue key;
  *key.get() = text(L"operatingsystem");
  CallResult byKey = item(record, *key.get());
  CallResult byPosition = item(record, int16(2));
  checks.expect(byKey.hr == S_OK && byPosition.hr == S_OK &&
                    textOf(*byKey.value.get()) == textOf(*byPosition.value.get()),
                "Item by key (any letter case) and by position give the same field");
  checks.expect(item(record, real(2.0)).hr == S_OK, "a position may arrive as a double");
  checks.expect(item(record, int32(14)).scode == kSubscript, "a position past Count fails with 9");
  VariantValue missing;
  *missing.get() = text(L"NoSuchField");
  checks.expect(item(record, *missing.get()).scode == kInvalidCall, "a missing key fails with 5");

  VariantValue extra;
  *extra.get() = text(L"added");
  VariantValue extraKey;
  *extraKey.get() = text(L"Extra");
  checks.expect(call(record, L"Add", {*extra.get(), *extraKey.get()}).hr == S_OK && countOf(record) == 14,
                "Add appends under a key");
  checks.expect(call(record, L"Add", {*extra.get(), *extraKey.get()}).scode == kDuplicateKey,
                "a key already present fails with 457");
  checks.expect(call(record, L"Remove", {*extraKey.get()}).hr == S_OK && countOf(record) == 13,
                "Remove by key");
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
  checks.expect(seen == 13 && inOrder, "enumeration yields the items in position order");
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
  checks.expect(idOf(record, L"_NewEnum") == DISPID_NEWENUM, "_NewEnum is found by name");
}

void checkNested(Checks &checks, IDispatch *adapters) {
  long count = countOf(adapters);
  checks.expect(count >= 1, "getNicInfo lists at least one adapter");
  if (count < 1) return;
  CallResult adapter = item(adapters, int32(1));
  checks.expect(adapter.value.type() == VT_DISPATCH, "the adapter list holds records");
  if (adapter.value.type() != VT_DISPATCH) return;
  IDispatch *record = V_DISPATCH(adapter.value.get());
  VariantValue key;
  *key.get() = text(L"StaticIP");
  CallResult addresses = item(record, *key.get());
  checks.expect(addresses.value.type() == VT_DISPATCH, "a nested list is an object");
  if (addresses.value.type() != VT_DISPATCH) return;
  long before = countOf(V_DISPATCH(addresses.value.get()));
  VariantValue extra;
  *extra.get() = text(L"192.0.2.1");
  call(V_DISPATCH(addresses.value.get()), L"Add", {*extra.get()});
  CallResult again = item(record, *key.get());
  checks.expect(countOf(V_DISPATCH(again.value.get())) == before + 1,
                "a nested collection is live: a change through one reference shows through another");
}

} // namespace

void checkCollections(Checks &checks) {
  ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
  if (!info) return;
  VariantValue computer;
  *computer.get() = text(L".");
  CallResult os = call(info.get(), L"osInfo", {*computer.get()});
  checks.expect(os.hr == S_OK && os.value.type() == VT_DISPATCH, "osInfo(\".\") returns a record under Wine");
  if (os.value.type() == VT_DISPATCH) {
    checkItems(checks, V_DISPATCH(os.value.get()));
    checkEnumeration(checks, V_DISPATCH(os.value.get()));
  }
  CallResult nics = call(info.get(), L"getNicInfo", {*computer.get()});
  checks.expect(nics.hr == S_OK && nics.value.type() == VT_DISPATCH,
                "getNicInfo(\".\") returns a collection");
  if (nics.value.type() == VT_DISPATCH) checkNested(checks, V_DISPATCH(nics.value.get()));

  // An IisSite holds the collection it is given, not a copy.
  ComPtr<IDispatch> site = create(L"Quorvane.IisSite");
  if (site && nics.value.type() == VT_DISPATCH) {
    checks.expect(put(site.get(), L"hostBindings", *nics.value.get(), DISPATCH_PROPERTYPUTREF).hr == S_OK,
                  "Set hostBindings takes a collection");
    VariantValue extra;
    *extra.get() = text(L"more");
    call(V_DISPATCH(nics.value.get()), L"Add", {*extra.get()});
    CallResult held = call(site.get(), L"hostBindings", {}, DISPATCH_PROPERTYGET);
    checks.expect(held.value.type() == VT_DISPATCH &&
                      countOf(V_DISPATCH(held.value.get())) == countOf(V_DISPATCH(nics.value.get())),
                  "hostBindings shares the collection");
  }
}

} // namespace qv::comcheck
