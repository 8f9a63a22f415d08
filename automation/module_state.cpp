#include "automation/module_state.hpp"

#include <mutex>

namespace qv::com {
namespace {

HMODULE module = nullptr;

// Objects of several apartments ask for type information, so the one
// library is guarded. A plain pointer rather than a ComPtr: a static
// destructor would call into oleaut32 at process exit, when the loader may
// have detached it already; releaseTypeLibrary is the one place it goes.
std::mutex libraryLock;
ITypeLib *library = nullptr;

} // namespace

void setModuleHandle(HMODULE handle) noexcept { module = handle; }
HMODULE moduleHandle() noexcept { return module; }

std::wstring modulePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

HRESULT typeInfoOf(REFIID iid, ITypeInfo **info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  std::lock_guard lock(libraryLock);
  if (!library) {
    HRESULT hr = LoadTypeLibEx(modulePath().c_str(), REGKIND_NONE, &library);
    if (FAILED(hr)) {
      library = nullptr;
      return hr;
    }
  }
  return library->GetTypeInfoOfGuid(iid, info);
}

void releaseTypeLibrary() noexcept {
  std::lock_guard lock(libraryLock);
  if (library) library->Release();
  library = nullptr;
}

} // namespace qv::com
