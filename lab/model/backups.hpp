#pragma once
// The metabase backups of a computer: listed by index (the provider's
// order is the order they were made in), made under a name and version.

#include <string>

#include "lab/model/fleet.hpp"

namespace qv::lab {

inline constexpr int32_t kNextVersion = -1;    // all bits set
inline constexpr int32_t kHighestVersion = -2; // all bits set but the last
inline constexpr int32_t kBackupOverwrite = 1;
inline constexpr std::size_t kBackupNameLimit = 100;

// The backup at index among those named location ("" for all); past the
// last one the provider answers "No more data is available." (0x80070103);
// an unreadable one fails with "Access is denied." (0x80070005).
const Backup &backupAt(const Computer &computer, std::string_view location, int32_t index);

// Returns the version written.
int32_t makeBackup(Computer &computer, std::string_view name, int32_t version, int32_t flags, Date now);

void deleteBackup(Computer &computer, std::string_view name, int32_t version);

} // namespace qv::lab
