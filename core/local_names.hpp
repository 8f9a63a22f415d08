#pragma once
// The administration host's own computer name and workgroup.

#include <string>

#include "core/system.hpp"

namespace qv {

// Trimmed name. No handler: a failed platform call fails with 5.
std::string localComputerName(System &system);
// Trimmed workgroup or domain; the empty text when the platform cannot say.
// Reports "Unable to get the local workgroup name".
std::string localWorkgroup(System &system);

} // namespace qv
