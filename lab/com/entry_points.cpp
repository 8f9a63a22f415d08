// The four entry points of the lab's in-process server.

#include <windows.h>

#include <objbase.h>

#include "com/module_counts.hpp"
#include "lab/com/dispatch_base.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/provider_factory.hpp"
#include "lab/com/registration.hpp"

using namespace qv::lab;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    LabState::setModule(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  std::size_t count = 0;
  const ProviderInfo *list = providers(count);
  try {
    for (std::size_t i = 0; i < count; ++i) {
      if (IsEqualCLSID(clsid, list[i].clsid))
        return qv::com::makeComObject<ProviderFactory>(list[i].provider)->QueryInterface(iid, out);
    }
  } catch (...) {
    return failLabCall(IID_IClassFactory, nullptr, "QuorvaneLab");
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return qv::com::moduleInUse() ? S_FALSE : S_OK; }

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  try {
    return registerProviders();
  } catch (...) {
    return failLabCall(IID_NULL, nullptr, "QuorvaneLab");
  }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  try {
    return unregisterProviders();
  } catch (...) {
    return failLabCall(IID_NULL, nullptr, "QuorvaneLab");
  }
}
