// The COM-level checks of quorvane.dll, run under Wine by
// scripts/wine-tests.sh: quorvane_com_checks.exe <path of quorvane.dll>.
// Last, the module can be unloaded once a client has released everything,
// and not before: results, enumerators, class objects and locks keep it.

#include <objbase.h>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

void checkUnloading(Checks &checks, HMODULE module) {
  auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE *)()>(
      reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
  // S_FALSE while what keeps the module, S_OK once nothing does.
  auto loaded = [&](bool kept, const std::string &what) {
    checks.expect(canUnload && canUnload() == (kept ? S_FALSE : S_OK), "DllCanUnloadNow after " + what);
  };
  loaded(false, "every earlier object is released");
  VariantValue record = osRecord();
  loaded(true, "a result collection is made");
  VariantValue walk;
  if (record.type() == VT_DISPATCH)
    walk = call(V_DISPATCH(record.get()), L"_NewEnum", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET).value;
  record.put();
  loaded(walk.type() == VT_UNKNOWN, "an enumerator outlives its collection");
  walk.put();
  loaded(false, "the enumerator is released");

  ComPtr<IClassFactory> factory;
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  loaded(true, "a class object is got");
  if (!factory) return;
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
