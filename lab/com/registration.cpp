#include "lab/com/registration.hpp"

#include <objbase.h>

#include <string>

#include "com/registry_key.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/provider_factory.hpp"

namespace qv::lab {
namespace {

std::wstring clsidText(const CLSID &clsid) {
  wchar_t text[64] = {};
  StringFromGUID2(clsid, text, 64);
  return text;
}

using com::RegistryKey;

LSTATUS setValue(HKEY root, const std::wstring &path, const wchar_t *name, const std::wstring &value) {
  RegistryKey key;
  LSTATUS status = RegistryKey::create(root, path, key);
  return status == ERROR_SUCCESS ? key.setText(name, value) : status;
}

std::wstring readValue(HKEY root, const std::wstring &path) {
  RegistryKey key;
  if (RegistryKey::open(root, path, key) != ERROR_SUCCESS) return {};
  return key.text(nullptr).value_or(std::wstring());
}

std::wstring modulePath() {
  wchar_t path[MAX_PATH] = {};
  HMODULE self = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&registerProviders), &self);
  DWORD length = GetModuleFileNameW(self, path, MAX_PATH);
  return std::wstring(path, length);
}

} // namespace

HRESULT registerProviders() {
  std::wstring dll = modulePath();
  std::size_t count = 0;
  const ProviderInfo *list = providers(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::wstring clsid = clsidText(list[i].clsid);
    std::wstring classKey = L"CLSID\\" + clsid;
    LSTATUS status = setValue(HKEY_CLASSES_ROOT, classKey, nullptr, list[i].description);
    if (status == ERROR_SUCCESS)
      status = setValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", nullptr, dll);
    if (status == ERROR_SUCCESS)
      status = setValue(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel", L"Both");
    if (status == ERROR_SUCCESS)
      status = setValue(HKEY_CLASSES_ROOT, classKey + L"\\ProgID", nullptr, list[i].progId);
    if (status == ERROR_SUCCESS)
      status = setValue(HKEY_CLASSES_ROOT, list[i].progId, nullptr, list[i].description);
    if (status == ERROR_SUCCESS)
      status = setValue(HKEY_CLASSES_ROOT, std::wstring(list[i].progId) + L"\\CLSID", nullptr, clsid);
    if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
  }
  std::wstring home = dll.substr(0, dll.find_last_of(L"\\/"));
  LSTATUS status = setValue(HKEY_LOCAL_MACHINE, kLabKey, L"Home", home);
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(status);
}

HRESULT unregisterProviders() {
  std::size_t count = 0;
  const ProviderInfo *list = providers(count);
  for (std::size_t i = 0; i < count; ++i) {
    std::wstring clsid = clsidText(list[i].clsid);
    std::wstring progIdClass = std::wstring(list[i].progId) + L"\\CLSID";
    if (_wcsicmp(readValue(HKEY_CLASSES_ROOT, progIdClass).c_str(), clsid.c_str()) == 0)
      RegDeleteTreeW(HKEY_CLASSES_ROOT, list[i].progId);
    RegDeleteTreeW(HKEY_CLASSES_ROOT, (L"CLSID\\" + clsid).c_str());
  }
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kLabKey);
  return S_OK;
}

} // namespace qv::lab
