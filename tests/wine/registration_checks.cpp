// Registration writes exactly the module's own keys and removes exactly
// them again, and leaves a programmatic name alone once another class
// owns it.

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>

#include "quorvane_h.h"
#include "tests/wine/checks.hpp"

namespace qv::comcheck {
namespace {

const wchar_t *const kProgIds[] = {
    L"Quorvane.Services",   L"Quorvane.iis",     L"Quorvane.IisSite",  L"Quorvane.Util",
    L"Quorvane.ServerInfo", L"Quorvane.process", L"Quorvane.EventLog", L"Quorvane.TerminalServices",
    L"Quorvane.Tools",      L"Quorvane.Fleet"};
const CLSID *const kClasses[] = {&CLSID_Services,   &CLSID_iis,     &CLSID_IisSite,  &CLSID_Util,
                                 &CLSID_ServerInfo, &CLSID_process, &CLSID_EventLog, &CLSID_TerminalServices,
                                 &CLSID_Tools,      &CLSID_Fleet};
const IID *const kInterfaces[] = {&DIID__Collection, &DIID__Services, &DIID__iis,
                                  &DIID__IisSite,    &DIID__Util,     &DIID__ServerInfo,
                                  &DIID__process,    &DIID__EventLog, &DIID__TerminalServices,
                                  &DIID__Tools,      &DIID__Fleet};

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::string narrow(const std::wstring &text) { return std::string(text.begin(), text.end()); }

// The names of the keys registration may touch: top level, classes,
// type libraries and interfaces.
std::set<std::wstring> snapshot(HKEY root = HKEY_CLASSES_ROOT, const std::wstring &base = L"") {
  std::set<std::wstring> keys;
  for (const wchar_t *area : {L"", L"CLSID", L"TypeLib", L"Interface"}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, (base + area).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      // The three containers are everybody's, made by whoever came first.
      if (!area[0] &&
          (!_wcsicmp(name, L"CLSID") || !_wcsicmp(name, L"TypeLib") || !_wcsicmp(name, L"Interface")))
        continue;
      keys.insert(std::wstring(area) + (area[0] ? L"\\" : L"") + name);
    }
    RegCloseKey(key);
  }
  return keys;
}

std::wstring valueOf(const std::wstring &path, const wchar_t *name, HKEY root = HKEY_CLASSES_ROOT) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return L"<missing>";
  }
  return value;
}

std::set<std::wstring> expectedKeys() {
  std::set<std::wstring> keys;
  for (const wchar_t *progId : kProgIds)
    keys.insert(progId);
  for (const CLSID *clsid : kClasses)
    keys.insert(L"CLSID\\" + guidText(*clsid));
  for (const IID *iid : kInterfaces)
    keys.insert(L"Interface\\" + guidText(*iid));
  keys.insert(L"TypeLib\\" + guidText(LIBID_Quorvane));
  return keys;
}

std::set<std::wstring> minus(const std::set<std::wstring> &a, const std::set<std::wstring> &b) {
  std::set<std::wstring> result;
  std::ranges::set_difference(a, b, std::inserter(result, result.end()));
  return result;
}

std::string listed(const std::set<std::wstring> &keys) {
  std::string text;
  for (const auto &key : keys)
    text.append(" ").append(narrow(key));
  return text;
}

using Entry = HRESULT(STDAPICALLTYPE *)();
using Install = HRESULT(STDAPICALLTYPE *)(BOOL, LPCWSTR);
using GetClassObject = HRESULT(STDAPICALLTYPE *)(REFCLSID, REFIID, void **);

const wchar_t kUserClasses[] = L"Software\\Classes\\";

// Resolves each programmatic name through the user's classes alone, as the
// merged classes view of a non-elevated client does, and creates an object
// from the server the keys name. (Wine's COM reads only the machine's
// classes, so the lookup is made here.)
void checkCreationThroughUserKeys(Checks &checks, const std::wstring &modulePath) {
  for (const wchar_t *progId : kProgIds) {
    std::string what = narrow(progId);
    std::wstring clsidText =
        valueOf(kUserClasses + std::wstring(progId) + L"\\CLSID", nullptr, HKEY_CURRENT_USER);
    CLSID clsid{};
    if (FAILED(CLSIDFromString(clsidText.c_str(), &clsid))) {
      checks.expect(false, what + " has a class identifier among the user's classes");
      continue;
    }
    std::wstring server = valueOf(kUserClasses + std::wstring(L"CLSID\\") + clsidText + L"\\InprocServer32",
                                  nullptr, HKEY_CURRENT_USER);
    checks.expect(server == modulePath, what + ": the user's keys name this module as its server");
    HMODULE module = LoadLibraryW(server.c_str());
    auto factory = module ? reinterpret_cast<GetClassObject>(
                                reinterpret_cast<void *>(GetProcAddress(module, "DllGetClassObject")))
                          : nullptr;
    IClassFactory *classObject = nullptr;
    IDispatch *object = nullptr;
    if (factory && SUCCEEDED(factory(clsid, IID_IClassFactory, reinterpret_cast<void **>(&classObject)))) {
      classObject->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void **>(&object));
      classObject->Release();
    }
    checks.expect(object != nullptr, what + " is created through the user's registration");
    if (object) object->Release();
    if (module) FreeLibrary(module);
  }
}

// Per-user registration writes the same keys as the machine-wide one, but
// below the user's classes, and leaves the machine's alone; removal takes
// exactly them away again.
void checkUserRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath) {
  auto install = reinterpret_cast<Install>(reinterpret_cast<void *>(GetProcAddress(module, "DllInstall")));
  checks.expect(install != nullptr, "DllInstall is exported");
  if (!install) return;
  checks.expect(install(FALSE, L"user") == S_OK,
                "DllInstall(FALSE, user) succeeds when nothing is registered");
  const std::set<std::wstring> machineBefore = snapshot();
  const std::set<std::wstring> userBefore = snapshot(HKEY_CURRENT_USER, kUserClasses);
  checks.expect(install(TRUE, L"user") == S_OK, "DllInstall(TRUE, user) succeeds");
  std::set<std::wstring> added = minus(snapshot(HKEY_CURRENT_USER, kUserClasses), userBefore);
  checks.expect(added == expectedKeys(),
                "per-user registration adds exactly the module's keys; added:" + listed(added));
  checks.expect(snapshot() == machineBefore, "per-user registration leaves the machine's classes alone");
  checkCreationThroughUserKeys(checks, modulePath);
  checks.expect(install(FALSE, L"user") == S_OK, "DllInstall(FALSE, user) succeeds");
  std::set<std::wstring> left = minus(snapshot(HKEY_CURRENT_USER, kUserClasses), userBefore);
  checks.expect(left.empty(), "per-user unregistration removes every key it wrote; left:" + listed(left));
  checks.expect(snapshot() == machineBefore, "per-user unregistration leaves the machine's classes alone");
  checks.expect(install(TRUE, L"elsewhere") == E_INVALIDARG, "DllInstall refuses an unknown scope");
}

} // namespace

void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath) {
  auto registerServer =
      reinterpret_cast<Entry>(reinterpret_cast<void *>(GetProcAddress(module, "DllRegisterServer")));
  auto unregisterServer =
      reinterpret_cast<Entry>(reinterpret_cast<void *>(GetProcAddress(module, "DllUnregisterServer")));
  checks.expect(registerServer && unregisterServer, "the registration entry points are exported");
  if (!registerServer || !unregisterServer) return;

  checks.expect(unregisterServer() == S_OK, "DllUnregisterServer succeeds");
  std::set<std::wstring> before = snapshot();
  checks.expect(unregisterServer() == S_OK, "DllUnregisterServer succeeds when nothing is registered");
  checks.expect(registerServer() == S_OK, "DllRegisterServer succeeds");
  std::set<std::wstring> registered = snapshot();

  std::set<std::wstring> added = minus(registered, before);
  checks.expect(added == expectedKeys(),
                "registration adds exactly the module's keys; added:" + listed(added));
  checks.expect(minus(before, registered).empty(), "registration removes nothing");
  checks.expect(!registered.contains(L"Quorvane.IisTool"), "Quorvane.IisTool is not registered");

  for (std::size_t i = 0; i < std::size(kProgIds); ++i) {
    const std::wstring clsid = guidText(*kClasses[i]);
    const std::wstring base = L"CLSID\\" + clsid;
    const struct {
      std::wstring key;
      const wchar_t *name;
      std::wstring expected;
    } values[] = {{std::wstring(kProgIds[i]) + L"\\CLSID", nullptr, clsid},
                  {base + L"\\InprocServer32", nullptr, modulePath},
                  {base + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
                  {base + L"\\ProgID", nullptr, kProgIds[i]},
                  {base + L"\\TypeLib", nullptr, guidText(LIBID_Quorvane)}};
    for (const auto &v : values) {
      std::string what = narrow(v.key);
      if (v.name) what.append(" ").append(narrow(v.name));
      checks.expect(valueOf(v.key, v.name) == v.expected, what.append(" is ").append(narrow(v.expected)));
    }
  }
  ITypeLib *library = nullptr;
  checks.expect(SUCCEEDED(LoadRegTypeLib(LIBID_Quorvane, 1, 0, 0, &library)),
                "the type library is registered");
  if (library) library->Release();

  checks.expect(unregisterServer() == S_OK, "DllUnregisterServer succeeds after registration");
  std::set<std::wstring> after = snapshot();
  checks.expect(after == before, "unregistration removes exactly what registration added; left:" +
                                     listed(minus(after, before)) + " lost:" + listed(minus(before, after)));

  // A programmatic name another class has taken over is not the module's
  // to remove.
  checks.expect(registerServer() == S_OK, "DllRegisterServer succeeds again");
  const std::wstring foreign = L"{00000000-0000-0000-0000-0000000000A1}";
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"Quorvane.Util\\CLSID", nullptr, REG_SZ, foreign.c_str(),
                  static_cast<DWORD>((foreign.size() + 1) * sizeof(wchar_t)));
  unregisterServer();
  checks.expect(valueOf(L"Quorvane.Util\\CLSID", nullptr) == foreign,
                "a programmatic name owned by another class survives unregistration");
  checks.expect(!snapshot().contains(L"Quorvane.Services"),
                "the module's own programmatic names are removed");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Quorvane.Util");

  checkUserRegistration(checks, module, modulePath);

  checks.expect(registerServer() == S_OK, "the module is registered again for the script tests");
}

} // namespace qv::comcheck
