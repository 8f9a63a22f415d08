#pragma once
// Quorvane.Services: the Windows services of one target computer, and the
// workgroups and computers around it, read and changed through the WinNT:
// provider of the directory service.

#include <cstdint>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"
#include "core/targets.hpp"

namespace qv {

class Services {
public:
  explicit Services(Platform platform);

  // Write-only properties: the target, stored exactly as given.
  void setComputerName(const std::string &name);
  void setWorkgroup(const std::string &name);

  // Records {"Workgroup"} of the workgroups and domains the provider sees.
  // Reports "error with getWorkgroups".
  CollectionPtr getWorkgroups();
  // Records {"Computer"} of the target workgroup's computers. No handler.
  CollectionPtr getComputers();
  // Summary records {"Name", "DisplayName", "Status", "ServiceType",
  // "StartType"}, all texts, in the provider's order. No handler.
  CollectionPtr serviceList();
  // The summary records ordered by the text of field sortKey (letter case
  // ignored); equal values keep the order of process. O(n log n). No
  // handler.
  CollectionPtr servicesSorted(const std::string &sortKey);
  // The detail record of one service, with its dependency list keyed from
  // "0". Reports "Error with getService".
  CollectionPtr getService(const std::string &service);
  // Writes StartType when it is above 0, asks for the state change of status
  // (4 start, 1 and 999 stop, 6 pause, others none), then commits. No
  // handler.
  void setStatus(const std::string &service, int32_t status, int32_t StartType);

private:
  std::string serviceDisplayName(const std::string &name);
  const Regional &regional() const { return *platform_.regional; }

  Platform platform_;
  Target target_;
};

} // namespace qv
