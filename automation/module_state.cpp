#include "automation/module_state.hpp"

#include <atomic>

namespace qv::com {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> locks{0};
HMODULE module = nullptr;

} // namespace

void objectCreated() noexcept { ++liveObjects; }
void objectDestroyed() noexcept { --liveObjects; }
void lockModule(bool lock) noexcept {
  if (lock) {
    ++locks;
  } else {
    --locks;
  }
}
bool moduleInUse() noexcept { return liveObjects.load() != 0 || locks.load() != 0; }

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

} // namespace qv::com
