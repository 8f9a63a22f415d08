#pragma once
// An open registry key, closed on destruction, and the few operations
// self-registration needs.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

namespace qv::com {

class RegistryKey {
public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey &) = delete;
  RegistryKey &operator=(const RegistryKey &) = delete;
  RegistryKey(RegistryKey &&other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  RegistryKey &operator=(RegistryKey &&other) noexcept {
    std::swap(key_, other.key_);
    return *this;
  }
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }

  // Creates path under root (or opens it when present) for writing.
  static LSTATUS create(HKEY root, const std::wstring &path, RegistryKey &key);
  // view: 0 for this process's own view, or KEY_WOW64_32KEY / KEY_WOW64_64KEY.
  static LSTATUS open(HKEY root, const std::wstring &path, RegistryKey &key, REGSAM view = 0);
  // Removes path and everything below it; a path that is not there is no failure.
  static LSTATUS removeTree(HKEY root, const std::wstring &path, REGSAM view = 0);

  HKEY handle() const { return key_; }

  // name null: the key's default value.
  LSTATUS setText(const wchar_t *name, const std::wstring &value);
  std::optional<std::wstring> text(const wchar_t *name) const;

private:
  HKEY key_ = nullptr;
};

} // namespace qv::com
