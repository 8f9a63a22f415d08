// The COM-level checks of quorvane.dll, run under Wine by
// scripts/wine-tests.sh: quorvane_com_checks.exe <path of quorvane.dll>.
// Last, the module can be unloaded once a client has released everything,
// and not before: results, enumerators, class objects and locks keep it.

#include <objbase.h>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

// What For Each never asks of an enumerator over a record's 13 fields:
// batches, Skip and Clone.
void checkEnumerator(Checks &checks, IEnumVARIANT *items) {
  checks.expect(items != nullptr, "_NewEnum gives an IEnumVARIANT");
  if (!items) return;
  VARIANT batch[20];
  ULONG fetched = 0;
  auto next = [&](IEnumVARIANT *from) {
    HRESULT hr = from->Next(20, batch, &fetched);
    for (ULONG i = 0; i < fetched; ++i)
      VariantClear(&batch[i]);
    return hr;
  };
  checks.expect(next(items) == S_FALSE && fetched == 13, "a batch stops at the end with S_FALSE");
  items->Reset();
  ComPtr<IEnumVARIANT> copy;
  checks.expect(items->Skip(12) == S_OK && items->Clone(copy.put()) == S_OK && copy &&
                    next(copy.get()) == S_FALSE && fetched == 1 && items->Skip(2) == S_FALSE,
                "a clone continues where Skip left it, and Skip past the end gives S_FALSE");
}

void checkUnloading(Checks &checks, HMODULE module) {
  auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE *)()>(
      reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
  // S_FALSE while what keeps the module, S_OK once nothing does.
  auto loaded = [&](bool kept, const std::string &what) {
    checks.expect(canUnload && canUnload() == (kept ? S_FALSE : S_OK), "DllCanUnloadNow after " + what);
  };
  VariantValue record = osRecord();
  loaded(true, "a result collection is made");
  VariantValue walk;
  if (record.type() == VT_DISPATCH)
    walk = call(V_DISPATCH(record.get()), L"_NewEnum", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET).value;
  record.put();
  loaded(walk.type() == VT_UNKNOWN, "an enumerator outlives its collection");
  ComPtr<IEnumVARIANT> items;
  if (walk.type() == VT_UNKNOWN) V_UNKNOWN(walk.get())->QueryInterface(IID_IEnumVARIANT, items.putVoid());
  checkEnumerator(checks, items.get());
  items.reset();
  walk.put();
  loaded(false, "the enumerator is released");

  ComPtr<IClassFactory> factory;
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  loaded(true, "a class object is got");
  if (!factory) return;
  ComPtr<IUnknown> aggregated;
  checks.expect(factory->CreateInstance(factory.get(), IID_IUnknown, aggregated.putVoid()) ==
                    CLASS_E_NOAGGREGATION,
                "aggregation is refused");
  factory->LockServer(TRUE);
  factory.reset();
  loaded(true, "a server lock outlives its class object");
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  if (factory) factory->LockServer(FALSE);
  factory.reset();
  loaded(false, "unlocking");
}

} // namespace
} // namespace qv::comcheck

int main(int argc, char **argv) {
  using namespace qv::comcheck;
  if (argc != 2) return 2; // usage: quorvane_com_checks <quorvane.dll>
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Checks checks;
  checkErrorTranslation(checks);
  checkCapturesSideBySide(checks);
  HMODULE module = LoadLibraryA(argv[1]);
  checks.expect(module != nullptr, std::string("quorvane.dll loads from ") + argv[1]);
  if (module) {
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(module, loaded, MAX_PATH);
    checkRegistration(checks, module, loaded);
    checkTypeLibrary(checks);
    checkArguments(checks);
    checkUnloading(checks, module);
  }
  int result = checks.finish();
  CoUninitialize();
  return result;
}
