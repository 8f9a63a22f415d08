// The COM-level checks of quorvane.dll, run under Wine by
// scripts/wine-tests.sh: quorvane_com_checks.exe <path of quorvane.dll>.
// Last, the module can be unloaded once a client has released everything,
// and not before: results, enumerators, class objects and locks keep it.

#include <objbase.h>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

void checkUnloading(Checks &checks, HMODULE module) {
  using CanUnload = HRESULT(STDAPICALLTYPE *)();
  auto canUnload =
      reinterpret_cast<CanUnload>(reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
  checks.expect(canUnload && canUnload() == S_OK,
                "DllCanUnloadNow is S_OK once every earlier object is released");
  VariantValue record = osRecord();
  if (!canUnload || record.type() != VT_DISPATCH) return;
  checks.expect(canUnload() == S_FALSE, "a result collection keeps the module loaded");
  CallResult walk = call(V_DISPATCH(record.get()), L"_NewEnum", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  record.put();
  checks.expect(walk.value.type() == VT_UNKNOWN && canUnload() == S_FALSE,
                "an enumerator keeps the module loaded");
  walk.value.put();
  checks.expect(canUnload() == S_OK, "DllCanUnloadNow is S_OK after the last release");

  ComPtr<IClassFactory> factory;
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  checks.expect(factory && canUnload() == S_FALSE, "a class object keeps the module loaded");
  if (!factory) return;
  ComPtr<IUnknown> refused;
  checks.expect(factory->CreateInstance(factory.get(), IID_IUnknown, refused.putVoid()) ==
                    CLASS_E_NOAGGREGATION,
                "aggregation is refused");
  factory->LockServer(TRUE);
  factory.reset();
  checks.expect(canUnload() == S_FALSE, "a server lock keeps the module loaded");
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  if (factory) factory->LockServer(FALSE);
  factory.reset();
  checks.expect(canUnload() == S_OK, "DllCanUnloadNow is S_OK after unlocking");
}

} // namespace
} // namespace qv::comcheck

int main(int argc, char **argv) {
  using namespace qv::comcheck;
  if (argc != 2) {
    std::printf("usage: quorvane_com_checks <quorvane.dll>\n");
    return 2;
  }
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
