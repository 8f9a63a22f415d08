// Values cross unchanged in both directions (IIf hands its argument back),
// objects stay the same objects, and a collection enumerates for typed
// clients beyond what For Each asks.

#include <cstring>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

// IIf(True, value, 0): the value as it comes back.
VariantValue echo(IDispatch *util, const VariantValue &value) {
  return call(util, L"IIf", {boolean(true), value, int32(0)}).value;
}

bool sameValue(const VARIANT &a, const VARIANT &b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_DISPATCH) return V_DISPATCH(&a) == V_DISPATCH(&b);
  return V_VT(&a) == VT_EMPTY || V_VT(&a) == VT_NULL ||
         VarCmp(const_cast<VARIANT *>(&a), const_cast<VARIANT *>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

// A one-dimensional array of the given element type from lower.
VariantValue arrayOf(VARTYPE type, LONG lower, ULONG count) {
  SAFEARRAYBOUND bound{count, lower};
  return typed(VT_ARRAY | type, &VARIANT::parray, SafeArrayCreate(type, 1, &bound));
}

void checkValues(Checks &checks, IDispatch *util) {
  ComPtr<IDispatch> foreign = create(L"Scripting.Dictionary");
  const struct {
    const char *name;
    VariantValue value;
  } cases[] = {{"Empty", {}},
               {"Null", typed(VT_NULL, &VARIANT::lVal, 0)},
               {"VT_I2", typed(VT_I2, &VARIANT::iVal, static_cast<SHORT>(-7))},
               {"VT_UI1", typed(VT_UI1, &VARIANT::bVal, static_cast<BYTE>(200))},
               {"VT_R8", typed(VT_R8, &VARIANT::dblVal, 2.5)},
               {"VT_DATE", date(45000.75)},
               {"VT_BOOL", boolean(true)},
               {"VT_BSTR", text(L"gr\u00FC\u00DFe \u65E5\u672C")},
               {"a foreign object", object(foreign.get())},
               {"Nothing", object(nullptr)}};
  for (const auto &c : cases)
    checks.expect(sameValue(*echo(util, c.value).get(), *c.value.get()),
                  std::string(c.name) + " crosses unchanged");

  // An event's data stays a byte array; other arrays keep their lower bound.
  const unsigned char bytes[] = {5, 64, 0, 255};
  VariantValue data = arrayOf(VT_UI1, 0, 4);
  std::memcpy(V_ARRAY(data.get())->pvData, bytes, 4);
  VariantValue back = echo(util, data);
  SAFEARRAY *array = back.type() == (VT_ARRAY | VT_UI1) ? V_ARRAY(back.get()) : nullptr;
  checks.expect(array && array->rgsabound[0].lLbound == 0 && array->rgsabound[0].cElements == 4 &&
                    std::memcmp(array->pvData, bytes, 4) == 0,
                "a byte array comes back as VT_ARRAY|VT_UI1 with its bounds and bytes");
  VariantValue list = arrayOf(VT_VARIANT, 1, 2);
  VariantValue item = text(L"b");
  LONG second = 2;
  SafeArrayPutElement(V_ARRAY(list.get()), &second, item.get());
  back = echo(util, list);
  array = back.type() == (VT_ARRAY | VT_VARIANT) ? V_ARRAY(back.get()) : nullptr;
  checks.expect(array && array->rgsabound[0].lLbound == 1 && array->rgsabound[0].cElements == 2 &&
                    SUCCEEDED(SafeArrayGetElement(array, &second, item.put())) && textOf(*item.get()) == "b",
                "an array of VARIANT keeps its lower bound and items");
}

// A batch of items at once, and a clone that continues where it was.
void checkEnumeration(Checks &checks, IDispatch *record) {
  ComPtr<IEnumVARIANT> items;
  VariantValue made = call(record, L"_NewEnum", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET, false).value;
  if (made.type() == VT_UNKNOWN) V_UNKNOWN(made.get())->QueryInterface(IID_IEnumVARIANT, items.putVoid());
  checks.expect(static_cast<bool>(items), "_NewEnum asked without EXCEPINFO gives an IEnumVARIANT");
  if (!items) return;
  VARIANT batch[20];
  ULONG fetched = 0;
  checks.expect(items->Next(20, batch, &fetched) == S_FALSE && fetched == 13 &&
                    textOf(batch[1]) == textOf(*call(record, L"Item", {int32(2)}).value.get()),
                "a batch holds the items in order and stops at the end with S_FALSE");
  items->Reset();
  items->Skip(12);
  ComPtr<IEnumVARIANT> copy;
  items->Clone(copy.put());
  for (ULONG i = 0; i < fetched; ++i)
    VariantClear(&batch[i]);
  checks.expect(copy && copy->Next(2, batch, &fetched) == S_FALSE && fetched == 1,
                "a clone after skipping twelve items has one left");
  if (copy && fetched == 1) VariantClear(&batch[0]);
}

} // namespace

void checkMarshalling(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Util");
  ComPtr<IDispatch> site = create(L"IisSite");
  checks.expect(util && site, "Util and IisSite are creatable");
  if (!util || !site) return;
  checkValues(checks, util.get());
  checks.expect(call(site.get(), L"hostBindings", {int32(1)}, DISPATCH_PROPERTYPUTREF).scode ==
                    static_cast<SCODE>(0x800A000D),
                "hostBindings refuses a value that is no object with 13");
  VariantValue record = osRecord();
  checks.expect(record.type() == VT_DISPATCH, "osInfo(\".\") returns a record under Wine");
  if (record.type() == VT_DISPATCH) checkEnumeration(checks, V_DISPATCH(record.get()));
}

} // namespace qv::comcheck
