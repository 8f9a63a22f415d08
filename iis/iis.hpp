#pragma once
// The IIS web sites of one computer: reading, listing and controlling them,
// and the metabase backups. The target is set through write-only properties
// before the calls and used exactly as stored.

#include <cstdint>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

class Iis {
public:
  explicit Iis(Platform platform);

  void setComputerName(const std::string &value) { computerName_ = value; }
  // Kept for the common target interface; no IIS operation reads it.
  void setWorkgroup(const std::string &value) { workgroup_ = value; }
  void setSiteId(int32_t value) { siteId_ = value; }

  // The keyed record of the chosen site ("Size" first, 24 keys at most); an
  // empty record when the object there is not a web server.
  // Reports "Error with Quorvane.Iis.getSite".
  CollectionPtr getSite();
  // One record per site keyed by the site's number: "W3SVSID",
  // "ServerComment", "ServerState". Reports "Error with Quorvane.Iis.getSites".
  CollectionPtr getSites();
  // One IisSite per site keyed by the site's number.
  // Reports "Error with Quorvane.Iis.getSitesExtended".
  CollectionPtr getSitesExtended();

  // State requests to the chosen site; none waits for the state.
  void startSite();  // "Error in Iis.startIIS"
  void stopSite();   // "Error in Iis.stopIIS"
  void pauseSite();  // "Error in Iis.pauseIIS"
  void resumeSite(); // "Error in Iis.resumeIIS"
  // stopSite then startSite; a failed stop leaves the start undone. No
  // handler of its own.
  void restartSite();

  // Reports "error listing iisBackupFiles".
  CollectionPtr iisBackupFiles();
  // Reports "error listing makeBackup".
  void makeBackup();

private:
  void requestState(const char *method, const char *message);

  Platform platform_;
  std::string computerName_;
  std::string workgroup_;
  int32_t siteId_ = 0;
};

} // namespace qv
