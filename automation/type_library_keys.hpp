#pragma once
// The registry keys of the module's type library and of the interfaces it
// describes, written below one classes key (the machine's or the user's) the
// way the platform's own type library registration writes them. Written by
// the component itself because the platform's functions decide on their own
// where the keys go (machine-wide under Wine even when asked for the user).

#include <windows.h>

#include <oaidl.h>

#include <string>

#include "platform/win32/com_ptr.hpp"

namespace qv::com {

class TypeLibraryKeys {
public:
  // Loads the type library of the module at path without registering it.
  explicit TypeLibraryKeys(const std::wstring &modulePath);
  TypeLibraryKeys(const TypeLibraryKeys &) = delete;
  TypeLibraryKeys &operator=(const TypeLibraryKeys &) = delete;
  ~TypeLibraryKeys();

  bool loaded() const { return attributes_ != nullptr; }
  std::wstring libraryId() const;

  LSTATUS write(HKEY classes) const;
  // Only this bitness's entry (win32 or win64): the other bitness still
  // uses the library and the interface keys.
  LSTATUS removeOwnEntry(HKEY classes) const;
  // The library and every interface key that still names it, from both
  // views of the classes key at classesPath below root (where the platform
  // keeps interface keys apart per bitness, each bitness wrote its own).
  LSTATUS removeAll(HKEY root, const std::wstring &classesPath) const;

private:
  std::wstring versionPath() const;

  std::wstring modulePath_;
  win32::ComPtr<ITypeLib> library_;
  TLIBATTR *attributes_ = nullptr;
};

} // namespace qv::com
