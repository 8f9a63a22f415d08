#include "lab/checks/check.hpp"
#include "lab/checks/small_fleet.hpp"
#include "lab/model/backups.hpp"
#include "lab/model/directory_paths.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/service_control.hpp"
#include "lab/model/site_control.hpp"
#include "lab/model/text.hpp"

using namespace qv::lab;
using checks::failsWith;

namespace {

int32_t status(const DirNode &service) { return *service.props.find("Status")->as<int32_t>(); }

} // namespace

CHECKS("services start with what they depend on and refuse what the manager refuses") {
  Fleet fleet = checks::smallFleet();
  DirNode &srv = *fleet.findComputer("SRV")->winnt;
  DirNode &base = *srv.child("Base"), &mid = *srv.child("Mid"), &top = *srv.child("Top");
  startService(top); // Mid starts first; the "+Group" load-order group is not a service
  CHECK(status(top) == kServiceRunning && status(mid) == kServiceRunning);
  CHECK(failsWith(code::kServiceAlreadyRunning, [&] { startService(top); }));
  CHECK(failsWith(code::kDependentServicesRunning, [&] { stopService(mid); }));
  CHECK(failsWith(code::kCannotAcceptControl, [&] { stopService(base); }));
  CHECK(failsWith(code::kInvalidServiceControl, [&] { pauseService(mid); }));
  pauseService(top);
  CHECK(status(top) == kServicePaused);
  continueService(top);
  stopService(top);
  stopService(mid);
  CHECK(status(top) == kServiceStopped && status(mid) == kServiceStopped);
  CHECK(failsWith(code::kServiceNotActive, [&] { stopService(top); }));
  CHECK(failsWith(code::kServiceNotActive, [&] { pauseService(top); }));
  CHECK(failsWith(code::kServiceDisabled, [&] { startService(*srv.child("Off")); }));
  CHECK(failsWith(code::kDependencyFailed, [&] { startService(*srv.child("NeedsOff")); }));
  CHECK(status(*srv.child("NeedsOff")) == kServiceStopped);
  CHECK(failsWith(code::kInvalidArgument, [] { checkServiceWrite("StartType", Value(int32_t{5})); }));
  CHECK(failsWith(code::kPropertyNotSupported, [] { checkServiceWrite("status", Value(int32_t{4})); }));
}

CHECKS("a site cannot start on bindings a started site serves") {
  Fleet fleet = checks::smallFleet();
  LocalNames host;
  DirNode &one = *bindIIS(fleet, "IIS://SRV/W3SVC/1", host);
  DirNode &two = *bindIIS(fleet, "IIS://SRV/W3SVC/2", host);
  auto state = [](const DirNode &site) { return *site.props.find("ServerState")->as<int32_t>(); };
  CHECK(failsWith(code::kDuplicateName, [&] { startSite(two); }));
  CHECK(state(two) == kSiteStopped);
  CHECK(failsWith(code::kServiceNotActive, [&] { pauseSite(two); }));
  pauseSite(one);
  CHECK(failsWith(code::kDuplicateName, [&] { startSite(two); })); // a paused site keeps its bindings
  stopSite(one);
  startSite(two);
  CHECK(state(two) == kSiteStarted && state(one) == kSiteStopped);
  startSite(two); // starting a started site changes nothing
  CHECK(state(two) == kSiteStarted);
}

CHECKS("backups: listed by index to the end, made under the next version") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  CHECK(backupAt(srv, "", 0).location == "a");
  CHECK(failsWith(code::kNoMoreItems, [&] { backupAt(srv, "", 1); }));
  CHECK(failsWith(code::kInvalidArgument, [&] { backupAt(srv, "", -1); }));
  Date now = dateFromParts(2026, 3, 2, 12, 30, 45);
  CHECK(makeBackup(srv, "A", kNextVersion, 2, now) == 1); // names compare without case
  CHECK(makeBackup(srv, "b", kNextVersion, 2, now) == 0);
  CHECK(backupAt(srv, "", 2).location == "b" && backupAt(srv, "", 2).date == now);
  CHECK(backupAt(srv, "a", 1).version == 1);
  CHECK(failsWith(code::kNoMoreItems, [&] { backupAt(srv, "a", 2); }));
  CHECK(failsWith(code::kAlreadyExists, [&] { makeBackup(srv, "b", 0, 0, now); }));
  CHECK(makeBackup(srv, "b", 0, kBackupOverwrite, now) == 0);
  for (const char *bad : {"", "x/y", "x:y", "a*"})
    CHECK(failsWith(code::kInvalidArgument, [&] { makeBackup(srv, bad, kNextVersion, 0, now); }));
  CHECK(failsWith(code::kInvalidArgument, [&] { makeBackup(srv, std::string(101, 'n'), 0, 0, now); }));
  deleteBackup(srv, "a", kHighestVersion);
  CHECK(backupAt(srv, "a", 0).version == 0);
  CHECK(failsWith(code::kNoMoreItems, [&] { backupAt(srv, "a", 1); }));
  CHECK(failsWith(code::kPathNotFound, [&] { deleteBackup(srv, "zz", 0); }));
}
