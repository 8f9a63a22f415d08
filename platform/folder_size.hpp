#pragma once
// The total size of a folder tree, for the site size of the IIS classes.

#include <cstdint>
#include <string>

#include "core/automation_error.hpp"

namespace qv::platform {

// Bytes of all regular files in the folder at path (UTF-8; a local or share
// path) and in all its subfolders. Links to folders (symbolic links,
// junctions) are not followed, so a link back up the tree cannot loop; a
// subfolder or file that cannot be read counts 0 and the rest still counts.
// Fails with 76 "Path not found" only when the folder itself cannot be
// opened (missing, not a folder, or refused).
uint64_t folderSize(const std::string &path);

// The failure of a folder that cannot be opened, as the runtime reports it.
inline AutomationError pathNotFound() { return AutomationError(76, kSource, "Path not found"); }

} // namespace qv::platform
