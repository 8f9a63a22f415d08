#include "automation/type_library_keys.hpp"

#include <cwchar>
#include <vector>

#include "com/registry_key.hpp"
#include "platform/win32/bstr.hpp"

namespace qv::com {
namespace {

// The standard marshallers of automation interfaces: dispinterfaces, and
// dual or oleautomation interfaces.
constexpr wchar_t kDispatchMarshaller[] = L"{00020420-0000-0000-C000-000000000046}";
constexpr wchar_t kAutomationMarshaller[] = L"{00020424-0000-0000-C000-000000000046}";

std::wstring guidText(REFGUID guid) {
  wchar_t text[40] = {};
  StringFromGUID2(guid, text, 40);
  return text;
}

LSTATUS writeValue(HKEY classes, const std::wstring &path, const wchar_t *name, const std::wstring &value) {
  RegistryKey key;
  LSTATUS status = RegistryKey::create(classes, path, key);
  return status == ERROR_SUCCESS ? key.setText(name, value) : status;
}

struct AutomationInterface {
  std::wstring id;
  std::wstring name;
  const wchar_t *marshaller;
};

std::vector<AutomationInterface> automationInterfaces(ITypeLib *library) {
  std::vector<AutomationInterface> found;
  for (UINT i = 0, count = library->GetTypeInfoCount(); i < count; ++i) {
    win32::ComPtr<ITypeInfo> info;
    if (FAILED(library->GetTypeInfo(i, info.put()))) continue;
    TYPEATTR *attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) continue;
    const wchar_t *marshaller = nullptr;
    if (attributes->typekind == TKIND_DISPATCH) {
      marshaller = (attributes->wTypeFlags & TYPEFLAG_FDUAL) ? kAutomationMarshaller : kDispatchMarshaller;
    } else if (attributes->typekind == TKIND_INTERFACE &&
               (attributes->wTypeFlags & TYPEFLAG_FOLEAUTOMATION)) {
      marshaller = kAutomationMarshaller;
    }
    GUID id = attributes->guid;
    info->ReleaseTypeAttr(attributes);
    if (!marshaller) continue;
    win32::Bstr name;
    library->GetDocumentation(static_cast<INT>(i), name.put(), nullptr, nullptr, nullptr);
    found.push_back({guidText(id), std::wstring(name.get() ? name.get() : L"", name.length()), marshaller});
  }
  return found;
}

} // namespace

TypeLibraryKeys::TypeLibraryKeys(const std::wstring &modulePath) : modulePath_(modulePath) {
  if (SUCCEEDED(LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, library_.put())) &&
      FAILED(library_->GetLibAttr(&attributes_))) {
    attributes_ = nullptr;
  }
}

TypeLibraryKeys::~TypeLibraryKeys() {
  if (attributes_) library_->ReleaseTLibAttr(attributes_);
}

std::wstring TypeLibraryKeys::libraryId() const { return guidText(attributes_->guid); }

// TypeLib\{id}\major.minor, the numbers in hexadecimal.
std::wstring TypeLibraryKeys::versionPath() const {
  wchar_t version[16] = {};
  std::swprintf(version, 16, L"%x.%x", attributes_->wMajorVerNum, attributes_->wMinorVerNum);
  return L"TypeLib\\" + libraryId() + L"\\" + version;
}

LSTATUS TypeLibraryKeys::write(HKEY classes) const {
  win32::Bstr help;
  library_->GetDocumentation(-1, nullptr, help.put(), nullptr, nullptr);
  const std::wstring description(help.get() ? help.get() : L"", help.length());
  wchar_t lcid[16] = {};
  std::swprintf(lcid, 16, L"%lx", static_cast<unsigned long>(attributes_->lcid));
  const std::wstring version = versionPath();
  const std::wstring ownEntry =
      version + L"\\" + lcid + (attributes_->syskind == SYS_WIN64 ? L"\\win64" : L"\\win32");
  LSTATUS status = ERROR_SUCCESS;
  for (const auto &[path, value] : {std::pair{version, description}, std::pair{ownEntry, modulePath_},
                                    std::pair{version + L"\\FLAGS", std::to_wstring(attributes_->wLibFlags)},
                                    std::pair{version + L"\\HELPDIR", std::wstring()}}) {
    if ((status = writeValue(classes, path, nullptr, value)) != ERROR_SUCCESS) return status;
  }
  const std::wstring id = libraryId();
  for (const auto &item : automationInterfaces(library_.get())) {
    const std::wstring base = L"Interface\\" + item.id;
    const struct {
      std::wstring path;
      const wchar_t *name;
      std::wstring value;
    } values[] = {{base, nullptr, item.name},
                  {base + L"\\ProxyStubClsid", nullptr, item.marshaller},
                  {base + L"\\ProxyStubClsid32", nullptr, item.marshaller},
                  {base + L"\\TypeLib", nullptr, id},
                  {base + L"\\TypeLib", L"Version", version.substr(version.find_last_of(L'\\') + 1)}};
    for (const auto &v : values) {
      if ((status = writeValue(classes, v.path, v.name, v.value)) != ERROR_SUCCESS) return status;
    }
  }
  return ERROR_SUCCESS;
}

LSTATUS TypeLibraryKeys::removeOwnEntry(HKEY classes) const {
  wchar_t lcid[16] = {};
  std::swprintf(lcid, 16, L"%lx", static_cast<unsigned long>(attributes_->lcid));
  return RegistryKey::removeTree(classes, versionPath() + L"\\" + lcid +
                                              (attributes_->syskind == SYS_WIN64 ? L"\\win64" : L"\\win32"));
}

LSTATUS TypeLibraryKeys::removeAll(HKEY root, const std::wstring &classesPath) const {
  const std::wstring id = libraryId();
  const std::wstring classes = classesPath + L"\\";
  for (REGSAM view : {KEY_WOW64_64KEY, KEY_WOW64_32KEY}) {
    for (const auto &item : automationInterfaces(library_.get())) {
      // An interface key that another library has taken over is not ours.
      const std::wstring path = classes + L"Interface\\" + item.id;
      RegistryKey key;
      if (RegistryKey::open(root, path + L"\\TypeLib", key, view) != ERROR_SUCCESS) continue;
      std::optional<std::wstring> owner = key.text(nullptr);
      key = RegistryKey();
      if (!owner || _wcsicmp(owner->c_str(), id.c_str()) != 0) continue;
      LSTATUS status = RegistryKey::removeTree(root, path, view);
      if (status != ERROR_SUCCESS) return status;
    }
    std::wstring library = classes;
    library += L"TypeLib\\";
    library += id;
    LSTATUS status = RegistryKey::removeTree(root, library, view);
    if (status != ERROR_SUCCESS) return status;
  }
  return ERROR_SUCCESS;
}

} // namespace qv::com
