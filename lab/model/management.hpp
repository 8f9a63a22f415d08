#pragma once
// The management service of one computer: instances of a class and query
// results, walked lazily in the service's order, and the two methods of
// Win32_Process.

#include <memory>
#include <string_view>

#include "lab/model/fleet.hpp"
#include "lab/model/wql.hpp"

namespace qv::lab {

class InstanceCursor {
public:
  virtual ~InstanceCursor() = default;
  // The next instance, or null at the end.
  virtual InstancePtr next() = 0;
};

// Parses "winmgmts:", "WinMgmts:", "winmgmts://server",
// "winmgmts:{security}!\\server\root\cimv2" and the like into the computer
// they reach. Only root\cimv2 is served.
Computer &connectManagement(const Fleet &fleet, std::string_view moniker, const LocalNames &local);

// The privileges a connection enabled in its moniker's security settings:
// "{impersonationLevel=impersonate,(Security)}" enables the Security
// privilege, "(!Security)" or no mention leaves it off.
struct Privileges {
  bool security = false;
};
Privileges privilegesOf(std::string_view moniker);

// Entries of the Security log are refused (0x80041003) to a connection
// without the Security privilege when a walk reaches one; the list of log
// files is not.
std::unique_ptr<InstanceCursor> instancesOf(const Fleet &fleet, const Computer &computer,
                                            std::string_view className, Privileges privileges = {});
std::unique_ptr<InstanceCursor> execQuery(const Fleet &fleet, const Computer &computer, std::string_view wql,
                                          Privileges privileges = {});

// GetOwner: 0 with the owner's user and domain, or 2 (access denied).
int32_t processOwner(const Instance &process, std::string &user, std::string &domain);
// Terminate: 0 when the process ended, 2 when it may not be ended. A
// process that has already gone fails with "Not found".
int32_t terminateProcess(Computer &computer, const Instance &process);

} // namespace qv::lab
