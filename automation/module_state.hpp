#pragma once
// What DllCanUnloadNow needs to know: how many objects of the module live
// and how many locks clients hold on its class objects.

#include <windows.h>

#include <string>

namespace qv::com {

void objectCreated() noexcept;
void objectDestroyed() noexcept;
void lockModule(bool lock) noexcept;
bool moduleInUse() noexcept;

void setModuleHandle(HMODULE module) noexcept;
HMODULE moduleHandle() noexcept;
// The full path of this DLL, for registration and the type library.
std::wstring modulePath();

} // namespace qv::com
