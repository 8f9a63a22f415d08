#pragma once
// The platform context of the real Windows host: management, directory,
// system calls and regional settings.

#include "core/platform.hpp"

namespace qv::win32 {

Platform makeWin32Platform();

} // namespace qv::win32
