#include "com/registry_key.hpp"

namespace qv::com {

LSTATUS RegistryKey::create(HKEY root, const std::wstring &path, RegistryKey &key) {
  RegistryKey created;
  LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                   &created.key_, nullptr);
  if (status == ERROR_SUCCESS) key = std::move(created);
  return status;
}

LSTATUS RegistryKey::open(HKEY root, const std::wstring &path, RegistryKey &key, REGSAM view) {
  RegistryKey opened;
  LSTATUS status = RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &opened.key_);
  if (status == ERROR_SUCCESS) key = std::move(opened);
  return status;
}

LSTATUS RegistryKey::removeTree(HKEY root, const std::wstring &path, REGSAM view) {
  LSTATUS status = ERROR_SUCCESS;
  if (view == 0) {
    status = RegDeleteTreeW(root, path.c_str());
  } else {
    // The tree functions take no view: the key of the wanted view is opened
    // first, emptied through its handle, then removed by name in that view.
    RegistryKey key;
    status = RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key.key_);
    if (status == ERROR_SUCCESS) status = RegDeleteTreeW(key.key_, nullptr);
    key = RegistryKey();
    if (status == ERROR_SUCCESS) status = RegDeleteKeyExW(root, path.c_str(), view, 0);
  }
  return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LSTATUS RegistryKey::setText(const wchar_t *name, const std::wstring &value) {
  return RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(value.c_str()),
                        static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

std::optional<std::wstring> RegistryKey::text(const wchar_t *name) const {
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key_, name, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS || type != REG_SZ) {
    return std::nullopt;
  }
  std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(value.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE *>(value.data()), &bytes) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.resize(bytes / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0')
    value.pop_back();
  return value;
}

} // namespace qv::com
