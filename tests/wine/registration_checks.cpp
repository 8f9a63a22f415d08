// Registration writes exactly the module's own keys with the values a
// client resolves a class by, removes exactly them again, and leaves a
// programmatic name alone once another class owns it. (Per-user and
// side-by-side registration: scripts/wine-registration.sh.)

#include <set>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

using Keys = std::set<std::wstring>;

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

// The names of the keys registration may touch: top level, classes, type
// libraries and interfaces (their containers are there before).
Keys snapshot() {
  Keys keys;
  for (const std::wstring area : {L"", L"CLSID", L"TypeLib", L"Interface"}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, area.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    wchar_t name[256];
    for (DWORD i = 0, length = 256;
         RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256)
      keys.insert(area.empty() ? name : area + L"\\" + name);
    RegCloseKey(key);
  }
  return keys;
}

std::wstring valueOf(const std::wstring &path, const wchar_t *name = nullptr) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size);
  return value; // empty when missing
}

Keys expectedKeys() {
  Keys keys{L"TypeLib\\" + guidText(LIBID_Quorvane), L"Interface\\" + guidText(DIID__Collection)};
  for (const Class &c : kClasses)
    keys.insert({std::wstring(L"Quorvane.") + c.coclass, L"CLSID\\" + guidText(*c.clsid),
                 L"Interface\\" + guidText(*c.iid)});
  return keys;
}

// The keys of a that b lacks, for a message.
std::string listed(const Keys &a, const Keys &b) {
  std::string text;
  for (const auto &key : a)
    if (!b.contains(key)) text.append(" ").append(narrow(key));
  return text;
}

} // namespace

void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath) {
  using Entry = HRESULT(STDAPICALLTYPE *)();
  auto entry = [module](const char *name) { return reinterpret_cast<void *>(GetProcAddress(module, name)); };
  auto registerServer = reinterpret_cast<Entry>(entry("DllRegisterServer"));
  auto unregisterServer = reinterpret_cast<Entry>(entry("DllUnregisterServer"));
  if (!registerServer || !unregisterServer)
    return checks.expect(false, "the registration entry points are exported");

  unregisterServer();
  const Keys before = snapshot();
  checks.expect(unregisterServer() == S_OK && registerServer() == S_OK,
                "DllUnregisterServer succeeds when nothing is registered, DllRegisterServer after it");
  Keys added;
  for (const auto &key : snapshot())
    if (!before.contains(key)) added.insert(key);
  checks.expect(added == expectedKeys(),
                "registration adds the module's keys and no others; extra:" + listed(added, expectedKeys()) +
                    " missing:" + listed(expectedKeys(), added));
  for (const Class &c : kClasses) {
    const std::wstring progId = std::wstring(L"Quorvane.") + c.coclass;
    const std::wstring clsid = L"CLSID\\" + guidText(*c.clsid);
    const std::wstring found = valueOf(progId + L"\\CLSID") + L" " + valueOf(clsid + L"\\InprocServer32") +
                               L" " + valueOf(clsid + L"\\InprocServer32", L"ThreadingModel") + L" " +
                               valueOf(clsid + L"\\ProgID") + L" " + valueOf(clsid + L"\\TypeLib");
    std::wstring wanted = guidText(*c.clsid);
    wanted.append(L" ").append(modulePath).append(L" Apartment ").append(progId).append(L" ");
    wanted.append(guidText(LIBID_Quorvane));
    checks.expect(found == wanted, narrow(progId) + " is registered as " + narrow(found));
  }
  ComPtr<ITypeLib> library;
  checks.expect(SUCCEEDED(LoadRegTypeLib(LIBID_Quorvane, 1, 0, 0, library.put())),
                "the type library is registered");

  // A programmatic name another class has taken over is not the module's
  // to remove; everything else is.
  const std::wstring foreign = L"{00000000-0000-0000-0000-0000000000A1}";
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"Quorvane.Util\\CLSID", nullptr, REG_SZ, foreign.c_str(),
                  static_cast<DWORD>((foreign.size() + 1) * sizeof(wchar_t)));
  checks.expect(unregisterServer() == S_OK && valueOf(L"Quorvane.Util\\CLSID") == foreign,
                "a programmatic name owned by another class survives unregistration");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Quorvane.Util");
  const Keys after = snapshot();
  checks.expect(after == before, "unregistration removes exactly what registration added; left:" +
                                     listed(after, before) + " lost:" + listed(before, after));
  checks.expect(registerServer() == S_OK, "the module is registered again for the script tests");
  auto install = reinterpret_cast<HRESULT(STDAPICALLTYPE *)(BOOL, LPCWSTR)>(entry("DllInstall"));
  const Keys registered = snapshot();
  checks.expect(install && install(TRUE, L"elsewhere") == E_INVALIDARG && snapshot() == registered,
                "DllInstall refuses an unknown scope and writes nothing");
}

} // namespace qv::comcheck
