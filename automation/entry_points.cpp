// The module's entry points: DllMain keeps the module handle and names the
// locale's key fold, DllGetClassObject hands out class objects,
// DllCanUnloadNow answers from the live object and lock counts.

#include <windows.h>

#include <objbase.h>

#include "automation/class_catalog.hpp"
#include "automation/class_factory.hpp"
#include "automation/module_state.hpp"
#include "com/error_translation.hpp"
#include "com/module_counts.hpp"
#include "core/key_fold.hpp"
#include "platform/win32/win32_text_fold.hpp"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    qv::com::setModuleHandle(instance);
    DisableThreadLibraryCalls(instance);
    // Before any object exists: keys fold as the text comparison matches.
    qv::useTextFold(&qv::win32::foldTextByLocale);
  } else if (reason == DLL_PROCESS_DETACH && !reserved) {
    // Unloaded by FreeLibrary without asking DllCanUnloadNow first. At
    // process exit (reserved set) nothing is released: oleaut32 may be gone.
    qv::com::releaseTypeLibrary();
  }
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  try {
    const qv::com::CreatableClass *entry = qv::com::findClass(clsid);
    if (!entry) return CLASS_E_CLASSNOTAVAILABLE;
    return qv::com::getClassFactory(*entry, iid, out);
  } catch (...) {
    return qv::com::failCurrentCall(IID_IClassFactory);
  }
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  if (qv::com::moduleInUse()) return S_FALSE;
  qv::com::releaseTypeLibrary();
  return S_OK;
}
