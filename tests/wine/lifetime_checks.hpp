#pragma once

#include <windows.h>

#include "tests/wine/checks.hpp"

namespace qv::comcheck {

// DllCanUnloadNow: S_FALSE while any object or lock lives, S_OK after.
void checkUnloading(Checks &checks, HMODULE module);
// 100,000 calls of each kind leave the process's private memory flat.
void checkMemory(Checks &checks);

} // namespace qv::comcheck
