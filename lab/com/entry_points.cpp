// The four entry points of the lab's in-process server.

#include <windows.h>

#include <objbase.h>

#include <new>

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
  for (std::size_t i = 0; i < count; ++i) {
    if (!IsEqualCLSID(clsid, list[i].clsid)) continue;
    ProviderFactory *factory = new (std::nothrow) ProviderFactory(list[i].provider);
    if (!factory) return E_OUTOFMEMORY;
    HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return liveObjects() == 0 && serverLocks() == 0 ? S_OK : S_FALSE;
}

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() { return registerProviders(); }

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() { return unregisterProviders(); }
