// Registration, for the machine and for the user alone, writes exactly the
// module's own keys with the values a client resolves a class by, removes
// exactly them again, and leaves a programmatic name alone once another
// class owns it.

#include <functional>
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
// libraries and interfaces.
Keys snapshot(HKEY root, const std::wstring &base) {
  Keys keys;
  for (const std::wstring area : {L"", L"CLSID", L"TypeLib", L"Interface"}) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, (base + area).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) continue;
    wchar_t name[256];
    for (DWORD i = 0, length = 256;
         RegEnumKeyExW(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = 256) {
      // The three containers are everybody's, made by whoever came first.
      if (area.empty() &&
          (!_wcsicmp(name, L"CLSID") || !_wcsicmp(name, L"TypeLib") || !_wcsicmp(name, L"Interface")))
        continue;
      keys.insert(area.empty() ? name : area + L"\\" + name);
    }
    RegCloseKey(key);
  }
  return keys;
}

std::wstring valueOf(HKEY root, const std::wstring &path, const wchar_t *name = nullptr) {
  wchar_t value[1024] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(root, path.c_str(), name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS)
    return L"<missing>";
  return value;
}

Keys expectedKeys() {
  Keys keys{L"TypeLib\\" + guidText(LIBID_Quorvane), L"Interface\\" + guidText(DIID__Collection)};
  for (const Class &c : kClasses) {
    keys.insert(std::wstring(L"Quorvane.") + c.coclass);
    keys.insert(L"CLSID\\" + guidText(*c.clsid));
    keys.insert(L"Interface\\" + guidText(*c.iid));
  }
  return keys;
}

// The keys of a that b lacks, for a message.
std::string listed(const Keys &a, const Keys &b) {
  std::string text;
  for (const auto &key : a)
    if (!b.contains(key)) text.append(" ").append(narrow(key));
  return text;
}

// install(TRUE) registers, install(FALSE) removes, below base of root.
void checkScope(Checks &checks, const std::string &scope, const std::function<HRESULT(BOOL)> &install,
                HKEY root, const std::wstring &base, const std::wstring &modulePath) {
  checks.expect(install(FALSE) == S_OK, scope + ": removal succeeds before registration");
  const Keys machine = snapshot(HKEY_CLASSES_ROOT, L"");
  const Keys before = snapshot(root, base);
  checks.expect(install(TRUE) == S_OK, scope + ": registration succeeds");
  Keys added;
  for (const auto &key : snapshot(root, base))
    if (!before.contains(key)) added.insert(key);
  checks.expect(added == expectedKeys(),
                scope + ": registration adds the module's keys and no others; extra:" +
                    listed(added, expectedKeys()) + " missing:" + listed(expectedKeys(), added));
  if (root != HKEY_CLASSES_ROOT)
    checks.expect(snapshot(HKEY_CLASSES_ROOT, L"") == machine, scope + ": the machine's classes stay alone");
  for (const Class &c : kClasses) {
    const std::wstring progId = std::wstring(L"Quorvane.") + c.coclass;
    const std::wstring clsid = base + L"CLSID\\" + guidText(*c.clsid);
    const struct {
      std::wstring key;
      const wchar_t *name;
      std::wstring expected;
    } values[] = {{base + progId + L"\\CLSID", nullptr, guidText(*c.clsid)},
                  {clsid + L"\\InprocServer32", nullptr, modulePath},
                  {clsid + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
                  {clsid + L"\\ProgID", nullptr, progId},
                  {clsid + L"\\TypeLib", nullptr, guidText(LIBID_Quorvane)}};
    for (const auto &v : values) {
      std::wstring found = valueOf(root, v.key, v.name);
      checks.expect(found == v.expected, scope + ": " + narrow(v.key) + " " + (v.name ? narrow(v.name) : "") +
                                             " is " + narrow(found) + ", not " + narrow(v.expected));
    }
  }
  checks.expect(install(FALSE) == S_OK, scope + ": removal succeeds");
  const Keys after = snapshot(root, base);
  checks.expect(after == before, scope + ": removal takes exactly what registration wrote; left:" +
                                     listed(after, before) + " lost:" + listed(before, after));
}

} // namespace

void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath) {
  using Entry = HRESULT(STDAPICALLTYPE *)();
  using Install = HRESULT(STDAPICALLTYPE *)(BOOL, LPCWSTR);
  auto entry = [module](const char *name) { return reinterpret_cast<void *>(GetProcAddress(module, name)); };
  auto registerServer = reinterpret_cast<Entry>(entry("DllRegisterServer"));
  auto unregisterServer = reinterpret_cast<Entry>(entry("DllUnregisterServer"));
  auto install = reinterpret_cast<Install>(entry("DllInstall"));
  checks.expect(registerServer && unregisterServer && install, "the registration entry points are exported");
  if (!registerServer || !unregisterServer || !install) return;

  checkScope(
      checks, "machine", [&](BOOL on) { return on ? registerServer() : unregisterServer(); },
      HKEY_CLASSES_ROOT, L"", modulePath);
  checkScope(
      checks, "user", [&](BOOL on) { return install(on, L"user"); }, HKEY_CURRENT_USER,
      L"Software\\Classes\\", modulePath);
  checks.expect(install(TRUE, L"elsewhere") == E_INVALIDARG, "DllInstall refuses an unknown scope");

  checks.expect(registerServer() == S_OK, "the module is registered again");
  ITypeLib *library = nullptr;
  checks.expect(SUCCEEDED(LoadRegTypeLib(LIBID_Quorvane, 1, 0, 0, &library)),
                "the type library is registered");
  if (library) library->Release();
  // A programmatic name another class has taken over is not the module's
  // to remove; it stays registered for the script tests that follow.
  const std::wstring foreign = L"{00000000-0000-0000-0000-0000000000A1}";
  RegSetKeyValueW(HKEY_CLASSES_ROOT, L"Quorvane.Util\\CLSID", nullptr, REG_SZ, foreign.c_str(),
                  static_cast<DWORD>((foreign.size() + 1) * sizeof(wchar_t)));
  unregisterServer();
  checks.expect(valueOf(HKEY_CLASSES_ROOT, L"Quorvane.Util\\CLSID") == foreign,
                "a programmatic name owned by another class survives removal");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"Quorvane.Util");
  checks.expect(registerServer() == S_OK, "the module is registered again for the script tests");
}

} // namespace qv::comcheck
