// DllRegisterServer, DllUnregisterServer and DllInstall: the type library,
// and for each creatable class its CLSID key and programmatic name, either
// for the whole machine or (DllInstall with "user") for the current user.
//
// The x86_64 and the i686 DLL register the same classes side by side: each
// bitness has its own CLSID keys, while the programmatic names, the type
// library and the interface keys are shared between the two views. So a
// shared key is removed only when the other view no longer registers the
// class, and removing both removes every key the component wrote.

#include <windows.h>

#include <olectl.h>

#include <string>

#include "automation/class_catalog.hpp"
#include "automation/module_state.hpp"
#include "automation/type_library_keys.hpp"
#include "com/error_translation.hpp"
#include "com/registry_key.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

enum class Scope { machine, user };

constexpr bool kWin64 = sizeof(void *) == 8;
// Opens the CLSID keys of the other bitness (ignored where there is only one).
constexpr REGSAM kOtherView = kWin64 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;

HKEY scopeRoot(Scope scope) { return scope == Scope::machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
const std::wstring kClassesPath = L"Software\\Classes";

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::wstring clsidPath(const CreatableClass &entry) { return L"CLSID\\" + guidText(*entry.clsid); }

// A registry failure as the HRESULT to report: missing rights keep their
// own code, anything else becomes the given self-registration code.
HRESULT failure(LSTATUS status, HRESULT otherwise) {
  return status == ERROR_ACCESS_DENIED ? E_ACCESSDENIED : otherwise;
}

LSTATUS writeValue(HKEY classes, const std::wstring &path, const wchar_t *name, const std::wstring &value) {
  RegistryKey key;
  LSTATUS status = RegistryKey::create(classes, path, key);
  return status == ERROR_SUCCESS ? key.setText(name, value) : status;
}

LSTATUS registerClass(HKEY classes, const CreatableClass &entry, const std::wstring &module,
                      const std::wstring &library) {
  const std::wstring base = clsidPath(entry);
  const std::wstring progId = entry.progId;
  const struct {
    std::wstring path;
    const wchar_t *name;
    std::wstring value;
  } values[] = {{base, nullptr, progId},
                {base + L"\\InprocServer32", nullptr, module},
                {base + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
                {base + L"\\ProgID", nullptr, progId},
                {base + L"\\TypeLib", nullptr, library},
                {base + L"\\Version", nullptr, L"1.0"},
                {progId, nullptr, progId},
                {progId + L"\\CLSID", nullptr, guidText(*entry.clsid)}};
  for (const auto &v : values) {
    LSTATUS status = writeValue(classes, v.path, v.name, v.value);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

bool registeredInOtherView(Scope scope, const CreatableClass &entry) {
  RegistryKey key;
  return RegistryKey::open(scopeRoot(scope), kClassesPath + L"\\" + clsidPath(entry) + L"\\InprocServer32",
                           key, kOtherView) == ERROR_SUCCESS;
}

// The programmatic name goes only while it still points at this class.
LSTATUS removeProgId(HKEY classes, const CreatableClass &entry) {
  RegistryKey key;
  if (RegistryKey::open(classes, std::wstring(entry.progId) + L"\\CLSID", key) != ERROR_SUCCESS)
    return ERROR_SUCCESS;
  std::optional<std::wstring> owner = key.text(nullptr);
  key = RegistryKey();
  if (!owner || _wcsicmp(owner->c_str(), guidText(*entry.clsid).c_str()) != 0) return ERROR_SUCCESS;
  return RegistryKey::removeTree(classes, entry.progId);
}

HRESULT registerScope(Scope scope) {
  RegistryKey classes;
  LSTATUS status = RegistryKey::create(scopeRoot(scope), kClassesPath, classes);
  if (status != ERROR_SUCCESS) return failure(status, SELFREG_E_CLASS);
  const std::wstring module = modulePath();
  TypeLibraryKeys library(module);
  if (!library.loaded()) return SELFREG_E_TYPELIB;
  const std::wstring libraryId = library.libraryId();
  for (const auto &entry : creatableClasses()) {
    status = registerClass(classes.handle(), entry, module, libraryId);
    if (status != ERROR_SUCCESS) return failure(status, SELFREG_E_CLASS);
  }
  status = library.write(classes.handle());
  return status == ERROR_SUCCESS ? S_OK : failure(status, SELFREG_E_TYPELIB);
}

HRESULT unregisterScope(Scope scope) {
  RegistryKey classes;
  LSTATUS status = RegistryKey::create(scopeRoot(scope), kClassesPath, classes);
  if (status != ERROR_SUCCESS) return failure(status, SELFREG_E_CLASS);
  HKEY root = classes.handle();
  for (const auto &entry : creatableClasses()) {
    status = RegistryKey::removeTree(root, clsidPath(entry));
    if (status != ERROR_SUCCESS) return failure(status, SELFREG_E_CLASS);
  }
  bool otherViewRegisters = false;
  for (const auto &entry : creatableClasses()) {
    if (registeredInOtherView(scope, entry)) {
      otherViewRegisters = true;
    } else if ((status = removeProgId(root, entry)) != ERROR_SUCCESS) {
      return failure(status, SELFREG_E_CLASS);
    }
  }
  TypeLibraryKeys library(modulePath());
  if (!library.loaded()) return SELFREG_E_TYPELIB;
  status =
      otherViewRegisters ? library.removeOwnEntry(root) : library.removeAll(scopeRoot(scope), kClassesPath);
  return status == ERROR_SUCCESS ? S_OK : failure(status, SELFREG_E_TYPELIB);
}

} // namespace
} // namespace qv::com

extern "C" HRESULT STDAPICALLTYPE DllRegisterServer() {
  try {
    return qv::com::registerScope(qv::com::Scope::machine);
  } catch (...) {
    return qv::com::failCurrentCall(IID_NULL);
  }
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer() {
  try {
    return qv::com::unregisterScope(qv::com::Scope::machine);
  } catch (...) {
    return qv::com::failCurrentCall(IID_NULL);
  }
}

// regsvr32 /n /i:user registers for the current user only (no elevation
// needed), regsvr32 /u /n /i:user removes that again; an empty command line
// or "machine" means the whole machine, as DllRegisterServer.
extern "C" HRESULT STDAPICALLTYPE DllInstall(BOOL install, LPCWSTR commandLine) {
  using qv::com::Scope;
  try {
    Scope scope = Scope::machine;
    if (commandLine && _wcsicmp(commandLine, L"user") == 0) {
      scope = Scope::user;
    } else if (commandLine && *commandLine && _wcsicmp(commandLine, L"machine") != 0) {
      return E_INVALIDARG;
    }
    return install ? qv::com::registerScope(scope) : qv::com::unregisterScope(scope);
  } catch (...) {
    return qv::com::failCurrentCall(IID_NULL);
  }
}
