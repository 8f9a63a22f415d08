#pragma once
// The management service reached through the "winmgmts:" monikers and used
// late-bound through its scripting objects.

#include <memory>

#include "core/management.hpp"

namespace qv::win32 {

std::shared_ptr<Management> makeWmiManagement();

} // namespace qv::win32
