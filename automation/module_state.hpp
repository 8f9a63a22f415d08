#pragma once
// The module's handle and path, and its type library, loaded once and kept
// until the module may be unloaded.

#include <windows.h>

#include <oaidl.h>

#include <string>

namespace qv::com {

void setModuleHandle(HMODULE module) noexcept;
HMODULE moduleHandle() noexcept;
// The full path of this DLL, for registration and the type library.
std::wstring modulePath();

// The type information of an interface from the module's type library,
// which is read from the DLL on first use only.
HRESULT typeInfoOf(REFIID iid, ITypeInfo **info);
// Drops the loaded type library; DllCanUnloadNow calls it once nothing of
// the module is in use any more.
void releaseTypeLibrary() noexcept;

} // namespace qv::com
