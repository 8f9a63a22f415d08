#pragma once
// The directory service (the "WinNT:" and "IIS:" providers) reached by
// display name and used late-bound.

#include <memory>

#include "core/directory.hpp"

namespace qv::win32 {

std::shared_ptr<Directory> makeAdsiDirectory();

} // namespace qv::win32
