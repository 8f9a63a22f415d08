#pragma once
// The private helper of the site classes: a site's size on disk and the
// metabase backups. Its owner creates one per use and sets the computer name
// right away.

#include <string>
#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

class IisTool {
public:
  explicit IisTool(Platform platform);

  void setComputerName(const std::string &name) { computerName_ = name; }

  // Bytes in the site's home folder and in the folders of the root's direct
  // virtual directories. On another computer than "localhost" the folders
  // are reached through its administrative shares. Reports
  // "Error with quorvane.IisTool.getSiteSize" when the site, its root or the
  // root's path cannot be had; a folder that cannot be read adds 0.
  double getSiteSize(const std::string &siteName);

  // The metabase backups of computer, keyed "0", "1", ...: "Location" and
  // "Date" (as text). The listing ends where the provider reports no more
  // data (0x800CC801 or 0x80070103); any other refusal fails the listing.
  // Reports "Error with quorvane.IisTool.metaBaseBackupFiles".
  CollectionPtr metaBaseBackupFiles(const std::string &computer);

  // Makes a backup named after the current local date and time, as the
  // next version of that name, and returns the name. No handler.
  std::string metaBaseBackup(const std::string &computer);

private:
  std::string folderPath(std::string_view path) const;

  Platform platform_;
  std::string computerName_;
};

// The backup name for a moment: its text in the regional date format with
// blanks made "_" and ".", ":" and "/" removed.
std::string backupName(Date moment, const Regional &regional);

} // namespace qv
