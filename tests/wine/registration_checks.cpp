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
const IID *const kInterfaces[] = {
    &DIID__Collection, &DIID__Services, &DIID__iis,      &DIID__IisSite,          &DIID__Util,
    &DIID__ServerInfo, &DIID__Process,  &DIID__EventLog, &DIID__TerminalServices, &DIID__Tools, &DIID__Fleet};

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

std::string narrow(const std::wstring &text) { return std::string(text.begin(), text.end()); }

// The names of the keys registration may touch: top level, classes,
// type libraries and interfaces.
std::set<std::wstring> snapshot() {
  std::set<std::wstring> keys;
  for (const wchar_t *area : {L"", L"CLSID", L"TypeLib", L"Interface"}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, area, 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
      DWORD length = 256;
      if (RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      keys.insert(std::wstring(area) + (area[0] ? L"\\" : L"") + name);
    }
    RegCloseKey(key);
  }
  return keys;
}

std::wstring valueOf(const std::wstring &path, const wchar_t *name) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS) {
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

  checks.expect(registerServer() == S_OK, "the module is registered again for the script tests");
}

} // namespace qv::comcheck
