// Values cross unchanged in both directions (IIf hands its argument back),
// objects stay the same objects, and IisSite's typed properties convert
// what they are given.

#include "tests/wine/com_client.hpp"
#include "tests/wine/dispatch_checks.hpp"

namespace qv::comcheck {
namespace {

// IIf(True, value, 0): the value as it comes back.
CallResult echo(IDispatch *util, const VARIANT &value) {
  VARIANT yes;
  VariantInit(&yes);
  V_VT(&yes) = VT_BOOL;
  V_BOOL(&yes) = VARIANT_TRUE;
  return call(util, L"IIf", {yes, value, int32(0)});
}

bool sameValue(const VARIANT &a, const VARIANT &b) {
  if (V_VT(&a) != V_VT(&b)) return false;
  if (V_VT(&a) == VT_EMPTY || V_VT(&a) == VT_NULL) return true;
  return VarCmp(const_cast<VARIANT *>(&a), const_cast<VARIANT *>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

void checkScalars(Checks &checks, IDispatch *util) {
  VariantValue values[8];
  V_VT(values[1].get()) = VT_NULL;
  *values[2].get() = int16(-7);
  *values[3].get() = int32(123456);
  *values[4].get() = real(2.5);
  V_VT(values[5].get()) = VT_DATE;
  V_DATE(values[5].get()) = 45000.75;
  V_VT(values[6].get()) = VT_BOOL;
  V_BOOL(values[6].get()) = VARIANT_TRUE;
  *values[7].get() = text(L"gr\u00FC\u00DFe \u65E5\u672C");
  const char *names[] = {"Empty", "Null", "VT_I2", "VT_I4", "VT_R8", "VT_DATE", "VT_BOOL", "VT_BSTR"};
  for (int i = 0; i < 8; ++i) {
    CallResult back = echo(util, *values[i].get());
    checks.expect(back.hr == S_OK && sameValue(*back.value.get(), *values[i].get()),
                  std::string(names[i]) + " crosses unchanged");
  }
  // VT_UI1 has no kind of its own: it comes back as a 16-bit number.
  VariantValue byte;
  V_VT(byte.get()) = VT_UI1;
  V_UI1(byte.get()) = 200;
  CallResult widened = echo(util, *byte.get());
  checks.expect(widened.value.type() == VT_I2 && V_I2(widened.value.get()) == 200,
                "VT_UI1 comes back as VT_I2");
}

void checkArrays(Checks &checks, IDispatch *util) {
  SAFEARRAYBOUND bound{2, 1};
  SAFEARRAY *array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  LONG index = 1;
  VariantValue first;
  *first.get() = int32(5);
  SafeArrayPutElement(array, &index, first.get());
  index = 2;
  VariantValue second;
  *second.get() = text(L"b");
  SafeArrayPutElement(array, &index, second.get());
  VariantValue value;
  V_VT(value.get()) = VT_ARRAY | VT_VARIANT;
  V_ARRAY(value.get()) = array;

  CallResult back = echo(util, *value.get());
  bool shaped = back.value.type() == (VT_ARRAY | VT_VARIANT);
  checks.expect(shaped, "an array comes back as a SAFEARRAY of VARIANT");
  if (!shaped) return;
  SAFEARRAY *result = V_ARRAY(back.value.get());
  LONG lower = 0;
  LONG upper = 0;
  SafeArrayGetLBound(result, 1, &lower);
  SafeArrayGetUBound(result, 1, &upper);
  checks.expect(lower == 1 && upper == 2, "the array keeps its lower bound");
  VariantValue item;
  index = 2;
  SafeArrayGetElement(result, &index, item.get());
  checks.expect(item.type() == VT_BSTR && std::wstring(V_BSTR(item.get())) == L"b",
                "the array keeps its items");

  // A typed array (as a platform list arrives) is read element by element.
  SAFEARRAYBOUND typedBound{3, 0};
  SAFEARRAY *texts = SafeArrayCreate(VT_BSTR, 1, &typedBound);
  Bstr x(L"x");
  for (LONG i = 0; i < 3; ++i)
    SafeArrayPutElement(texts, &i, x.get());
  VariantValue typed;
  V_VT(typed.get()) = VT_ARRAY | VT_BSTR;
  V_ARRAY(typed.get()) = texts;
  CallResult converted = echo(util, *typed.get());
  LONG count = -1;
  if (converted.value.type() == (VT_ARRAY | VT_VARIANT))
    SafeArrayGetUBound(V_ARRAY(converted.value.get()), 1, &count);
  checks.expect(count == 2, "a typed text array comes back as VARIANTs");
}

void checkObjects(Checks &checks, IDispatch *util) {
  ComPtr<IDispatch> foreign = create(L"Scripting.Dictionary");
  if (foreign) {
    CallResult back = echo(util, object(foreign.get()));
    checks.expect(back.value.type() == VT_DISPATCH && V_DISPATCH(back.value.get()) == foreign.get(),
                  "a foreign object comes back as the same object");
  }
  VARIANT nothing = object(nullptr);
  CallResult none = echo(util, nothing);
  checks.expect(none.value.type() == VT_DISPATCH && V_DISPATCH(none.value.get()) == nullptr,
                "Nothing stays Nothing");
}

void checkSiteProperties(Checks &checks) {
  ComPtr<IDispatch> site = create(L"Quorvane.IisSite");
  if (!site) return;
  CallResult empty = call(site.get(), L"hostBindings", {}, DISPATCH_PROPERTYGET);
  checks.expect(empty.value.type() == VT_DISPATCH && V_DISPATCH(empty.value.get()) == nullptr,
                "a new site's hostBindings is Nothing");

  VariantValue number;
  *number.get() = text(L"42");
  put(site.get(), L"id", *number.get());
  CallResult id = call(site.get(), L"ID", {}, DISPATCH_PROPERTYGET);
  checks.expect(id.value.type() == VT_I4 && V_I4(id.value.get()) == 42,
                "id converts its text to a 32-bit number");
  VariantValue truth;
  *truth.get() = text(L"True");
  put(site.get(), L"accessRead", *truth.get());
  CallResult read = call(site.get(), L"accessRead", {}, DISPATCH_PROPERTYGET);
  checks.expect(read.value.type() == VT_BOOL && V_BOOL(read.value.get()) == VARIANT_TRUE,
                "accessRead is a Boolean");
  VariantValue path;
  *path.get() = text(L"C:\\inetpub\\wwwroot");
  put(site.get(), L"path", *path.get());
  checks.expect(textOf(*call(site.get(), L"path", {}, DISPATCH_PROPERTYGET).value.get()) ==
                    "C:\\inetpub\\wwwroot",
                "path keeps its text");
  VariantValue bad;
  *bad.get() = text(L"many");
  checks.expect(put(site.get(), L"state", *bad.get()).scode == static_cast<SCODE>(0x800A000D),
                "a text that is no number fails with 13 (Type mismatch)");

  ComPtr<IDispatch> dictionary = create(L"Scripting.Dictionary");
  if (dictionary) {
    checks.expect(put(site.get(), L"hostBindings", object(dictionary.get()), DISPATCH_PROPERTYPUTREF).hr ==
                      DISP_E_EXCEPTION,
                  "hostBindings takes only a collection");
  }
}

} // namespace

void checkMarshalling(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Quorvane.Util");
  if (!util) return;
  checkScalars(checks, util.get());
  checkArrays(checks, util.get());
  checkObjects(checks, util.get());
  checkSiteProperties(checks);
}

} // namespace qv::comcheck
