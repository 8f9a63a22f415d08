#include "lab/model/backups.hpp"

#include <algorithm>

#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

void checkName(std::string_view name) {
  if (name.empty() || name.size() > kBackupNameLimit ||
      name.find_first_of("\\/:*?\"<>|") != std::string_view::npos)
    throw LabError(code::kInvalidArgument);
}

int32_t highestVersion(const Computer &computer, std::string_view name) {
  int32_t highest = -1;
  for (const auto &b : computer.backups)
    if (equalsNoCase(b.location, name)) highest = std::max(highest, b.version);
  return highest;
}

} // namespace

const Backup &backupAt(const Computer &computer, std::string_view location, int32_t index) {
  if (index < 0) throw LabError(code::kInvalidArgument);
  int32_t seen = 0;
  for (const auto &b : computer.backups) {
    if (!location.empty() && !equalsNoCase(b.location, location)) continue;
    if (seen++ != index) continue;
    // A backup whose file cannot be read fails as the file system does.
    if (b.unreadable) throw LabError(code::kAccessDenied);
    return b;
  }
  throw LabError(code::kNoMoreItems);
}

int32_t makeBackup(Computer &computer, std::string_view name, int32_t version, int32_t flags, Date now) {
  checkName(name);
  if (version == kNextVersion) {
    version = highestVersion(computer, name) + 1;
  } else if (version < 0 || version > 9999) {
    throw LabError(code::kInvalidArgument);
  }
  for (auto &b : computer.backups) {
    if (equalsNoCase(b.location, name) && b.version == version) {
      if (!(flags & kBackupOverwrite)) throw LabError(code::kAlreadyExists);
      b.date = now;
      return version;
    }
  }
  computer.backups.push_back(Backup{std::string(name), version, now});
  return version;
}

void deleteBackup(Computer &computer, std::string_view name, int32_t version) {
  checkName(name);
  if (version == kHighestVersion) version = highestVersion(computer, name);
  auto it = std::find_if(computer.backups.begin(), computer.backups.end(), [&](const Backup &b) {
    return equalsNoCase(b.location, name) && b.version == version;
  });
  if (it == computer.backups.end()) throw LabError(code::kPathNotFound);
  computer.backups.erase(it);
}

} // namespace qv::lab
