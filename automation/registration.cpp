// DllRegisterServer and DllUnregisterServer: the type library, and for each
// creatable class its CLSID key and programmatic name. Unregistration
// removes exactly these keys, and a programmatic name only while it still
// points at this module's class.

#include <windows.h>

#include <olectl.h>

#include <string>

#include "automation/class_catalog.hpp"
#include "automation/module_state.hpp"
#include "com/error_translation.hpp"
#include "com/registry_key.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring clsidPath(const CreatableClass &entry) { return L"CLSID\\" + guidText(*entry.clsid); }

bool writeValue(const std::wstring &path, const wchar_t *name, const std::wstring &value) {
  RegistryKey key;
  return RegistryKey::create(HKEY_CLASSES_ROOT, path, key) == ERROR_SUCCESS &&
         key.setText(name, value) == ERROR_SUCCESS;
}

bool registerClass(const CreatableClass &entry, const std::wstring &module, const std::wstring &library) {
  std::wstring clsid = guidText(*entry.clsid);
  std::wstring base = clsidPath(entry);
  return writeValue(base, nullptr, entry.progId) && writeValue(base + L"\\InprocServer32", nullptr, module) &&
         writeValue(base + L"\\InprocServer32", L"ThreadingModel", L"Apartment") &&
         writeValue(base + L"\\ProgID", nullptr, entry.progId) &&
         writeValue(base + L"\\TypeLib", nullptr, library) &&
         writeValue(base + L"\\Version", nullptr, L"1.0") &&
         writeValue(entry.progId, nullptr, entry.progId) &&
         writeValue(std::wstring(entry.progId) + L"\\CLSID", nullptr, clsid);
}

void unregisterClass(const CreatableClass &entry) {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, clsidPath(entry).c_str());
  RegistryKey key;
  if (RegistryKey::open(HKEY_CLASSES_ROOT, std::wstring(entry.progId) + L"\\CLSID", key) != ERROR_SUCCESS)
    return;
  std::optional<std::wstring> owner = key.text(nullptr);
  key = RegistryKey();
  if (owner && _wcsicmp(owner->c_str(), guidText(*entry.clsid).c_str()) == 0) {
    RegDeleteTreeW(HKEY_CLASSES_ROOT, entry.progId);
  }
}

HRESULT loadLibrary(REGKIND kind, win32::ComPtr<ITypeLib> &library) {
  return LoadTypeLibEx(modulePath().c_str(), kind, library.put());
}

} // namespace

} // namespace qv::com

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  using namespace qv::com;
  try {
    qv::win32::ComPtr<ITypeLib> library;
    if (FAILED(loadLibrary(REGKIND_REGISTER, library))) return SELFREG_E_TYPELIB;
    TLIBATTR *attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes))) return SELFREG_E_TYPELIB;
    std::wstring libraryId = guidText(attributes->guid);
    library->ReleaseTLibAttr(attributes);
    std::wstring module = modulePath();
    for (const auto &entry : creatableClasses()) {
      if (!registerClass(entry, module, libraryId)) return SELFREG_E_CLASS;
    }
    return S_OK;
  } catch (...) {
    return failCurrentCall(IID_NULL);
  }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  using namespace qv::com;
  try {
    for (const auto &entry : creatableClasses())
      unregisterClass(entry);
    qv::win32::ComPtr<ITypeLib> library;
    if (FAILED(loadLibrary(REGKIND_NONE, library))) return SELFREG_E_TYPELIB;
    TLIBATTR *attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes))) return SELFREG_E_TYPELIB;
    // A library that is not registered (any more) is what was asked for.
    HRESULT hr = S_OK;
    RegistryKey registered;
    if (RegistryKey::open(HKEY_CLASSES_ROOT, L"TypeLib\\" + guidText(attributes->guid), registered) ==
        ERROR_SUCCESS) {
      hr = UnRegisterTypeLib(attributes->guid, attributes->wMajorVerNum, attributes->wMinorVerNum,
                             attributes->lcid, attributes->syskind);
    }
    library->ReleaseTLibAttr(attributes);
    return SUCCEEDED(hr) ? S_OK : SELFREG_E_TYPELIB;
  } catch (...) {
    return failCurrentCall(IID_NULL);
  }
}
