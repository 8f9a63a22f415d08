#pragma once

#include <windows.h>

#include <string>

#include "tests/wine/checks.hpp"

namespace qv::comcheck {

void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath);

} // namespace qv::comcheck
