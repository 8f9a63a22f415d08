// Values cross unchanged in both directions (IIf hands its argument back),
// objects stay the same objects, and IisSite's typed properties convert
// what they are given.

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

// IIf(True, value, 0): the value as it comes back.
CallResult echo(IDispatch *util, const VARIANT &value) {
  return call(util, L"IIf", {boolean(true), value, int32(0)});
}

bool sameValue(const VARIANT &a, const VARIANT &b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_EMPTY || V_VT(&a) == VT_NULL) return true;
  return VarCmp(const_cast<VARIANT *>(&a), const_cast<VARIANT *>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

void checkScalars(Checks &checks, IDispatch *util) {
  VARIANT null;
  VariantInit(&null);
  V_VT(&null) = VT_NULL;
  struct Case {
    const char *name;
    VariantValue value;
  } cases[] = {{"Empty", {}},
               {"Null", owned(null)},
               {"VT_I2", owned(int16(-7))},
               {"VT_I4", owned(int32(123456))},
               {"VT_R8", owned(real(2.5))},
               {"VT_DATE", owned(date(45000.75))},
               {"VT_BOOL", owned(boolean(true))},
               {"VT_BSTR", owned(text(L"gr\u00FC\u00DFe \u65E5\u672C"))}};
  for (const auto &c : cases) {
    CallResult back = echo(util, *c.value.get());
    checks.expect(back.hr == S_OK && sameValue(*back.value.get(), *c.value.get()),
                  std::string(c.name) + " crosses unchanged");
  }
  VARIANT byte;
  VariantInit(&byte);
  V_VT(&byte) = VT_UI1;
  V_UI1(&byte) = 200;
  CallResult same = echo(util, byte);
  checks.expect(same.value.type() == VT_UI1 && V_UI1(same.value.get()) == 200, "VT_UI1 crosses unchanged");
}

// A byte array (an event's data) stays one: VT_ARRAY|VT_UI1 with its bounds
// and bytes.
void checkByteArray(Checks &checks, IDispatch *util) {
  const unsigned char bytes[] = {5, 64, 0, 255};
  SAFEARRAYBOUND bound{4, 0};
  VariantValue value;
  V_ARRAY(value.get()) = SafeArrayCreate(VT_UI1, 1, &bound);
  V_VT(value.get()) = VT_ARRAY | VT_UI1;
  for (LONG i = 0; i < 4; ++i)
    SafeArrayPutElement(V_ARRAY(value.get()), &i, const_cast<unsigned char *>(&bytes[i]));
  CallResult back = echo(util, *value.get());
  bool shaped = back.value.type() == (VT_ARRAY | VT_UI1);
  checks.expect(shaped, "a byte array comes back as VT_ARRAY|VT_UI1");
  if (!shaped) return;
  SAFEARRAY *array = V_ARRAY(back.value.get());
  LONG lower = -1;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  bool same = lower == 0 && upper == 3;
  for (LONG i = 0; same && i < 4; ++i) {
    unsigned char item = 0;
    same = SUCCEEDED(SafeArrayGetElement(array, &i, &item)) && item == bytes[i];
  }
  checks.expect(same, "the byte array keeps its bounds and bytes");
}

void checkArrays(Checks &checks, IDispatch *util) {
  SAFEARRAYBOUND bound{2, 1};
  SAFEARRAY *array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  VariantValue items[] = {owned(int32(5)), owned(text(L"b"))};
  for (LONG index = 1; index <= 2; ++index)
    SafeArrayPutElement(array, &index, items[index - 1].get());
  VariantValue value;
  V_VT(value.get()) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(value.get()) = array;

  CallResult back = echo(util, *value.get());
  bool shaped = back.value.type() == (VT_ARRAY | VT_VARIANT);
  checks.expect(shaped, "an array comes back as a SAFEARRAY of VARIANT");
  if (!shaped) return;
  LONG lower = 0;
  LONG upper = 0;
  SafeArrayGetLBound(V_ARRAY(back.value.get()), 1, &lower);
  SafeArrayGetUBound(V_ARRAY(back.value.get()), 1, &upper);
  checks.expect(lower == 1 && upper == 2, "the array keeps its lower bound");
  VariantValue item;
  LONG index = 2;
  SafeArrayGetElement(V_ARRAY(back.value.get()), &index, item.get());
  checks.expect(item.type() == VT_BSTR && std::wstring(V_BSTR(item.get())) == L"b",
                "the array keeps its items");
}

void checkObjects(Checks &checks, IDispatch *util) {
  ComPtr<IDispatch> foreign = create(L"Scripting.Dictionary");
  if (foreign) {
    CallResult back = echo(util, object(foreign.get()));
    checks.expect(back.value.type() == VT_DISPATCH && V_DISPATCH(back.value.get()) == foreign.get(),
                  "a foreign object comes back as the same object");
  }
  CallResult none = echo(util, object(nullptr));
  checks.expect(none.value.type() == VT_DISPATCH && V_DISPATCH(none.value.get()) == nullptr,
                "Nothing stays Nothing");
}

void checkSiteProperties(Checks &checks) {
  ComPtr<IDispatch> site = create(L"Quorvane.IisSite");
  if (!site) return;
  put(site.get(), L"id", *owned(text(L"42")).get());
  CallResult id = call(site.get(), L"ID", {}, DISPATCH_PROPERTYGET);
  checks.expect(id.value.type() == VT_I4 && V_I4(id.value.get()) == 42,
                "id converts its text to a 32-bit number");
  put(site.get(), L"accessRead", *owned(text(L"True")).get());
  CallResult read = call(site.get(), L"accessRead", {}, DISPATCH_PROPERTYGET);
  checks.expect(read.value.type() == VT_BOOL && V_BOOL(read.value.get()) == VARIANT_TRUE,
                "accessRead converts its text to a Boolean");
  checks.expect(put(site.get(), L"state", *owned(text(L"many")).get()).scode ==
                    static_cast<SCODE>(0x800A000D),
                "a text that is no number fails with 13 (Type mismatch)");
  ComPtr<IDispatch> dictionary = create(L"Scripting.Dictionary");
  if (dictionary) {
    checks.expect(put(site.get(), L"hostBindings", object(dictionary.get()), DISPATCH_PROPERTYPUTREF).hr ==
                      S_OK,
                  "hostBindings takes any object");
    CallResult back = call(site.get(), L"hostBindings", {}, DISPATCH_PROPERTYGET);
    checks.expect(back.value.type() == VT_DISPATCH && V_DISPATCH(back.value.get()) == dictionary.get(),
                  "hostBindings gives the assigned object back as itself");
    checks.expect(put(site.get(), L"hostBindings", int32(1), DISPATCH_PROPERTYPUTREF).scode ==
                      static_cast<SCODE>(0x800A000D),
                  "hostBindings refuses a value that is no object with 13");
  }
}

} // namespace

void checkMarshalling(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Quorvane.Util");
  if (!util) return;
  checkScalars(checks, util.get());
  checkArrays(checks, util.get());
  checkByteArray(checks, util.get());
  checkObjects(checks, util.get());
  checkSiteProperties(checks);
}

} // namespace qv::comcheck
