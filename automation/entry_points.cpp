// The module's entry points: DllMain keeps the module handle,
// DllGetClassObject hands out class objects, DllCanUnloadNow answers from
// the live object and lock counts.

#include <windows.h>

#include <objbase.h>

#include "automation/class_catalog.hpp"
#include "automation/class_factory.hpp"
#include "automation/module_state.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    qv::com::setModuleHandle(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const qv::com::CreatableClass *entry = qv::com::findClass(clsid);
  if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
  return qv::com::getClassFactory(*entry, iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return qv::com::moduleInUse() ? S_FALSE : S_OK; }
