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

CHECKS("services start with what they depend on and refuse what the manager refuses") {
  Fleet fleet = checks::smallFleet();
  DirNode &srv = *fleet.findComputer("SRV")->winnt;
  DirNode &base = *srv.child("Base"), &mid = *srv.child("Mid"), &top = *srv.child("Top");
  int64_t t = 1000;
  startService(top, t); // Mid runs first; the "+Group" load-order group is not a service
  CHECK(serviceStatus(top, t) == kServiceStartPending && serviceStatus(mid, t) == kServiceRunning);
  CHECK(failsWith(code::kServiceAlreadyRunning, [&] { startService(top, t); }));
  t += 500;
  CHECK(serviceStatus(top, t) == kServiceRunning);
  CHECK(failsWith(code::kDependentServicesRunning, [&] { stopService(mid, t); }));
  CHECK(failsWith(code::kInvalidServiceControl, [&] { stopService(base, t); }));
  CHECK(failsWith(code::kInvalidServiceControl, [&] { pauseService(mid, t); }));
  CHECK(failsWith(code::kServiceNotActive, [&] { stopService(*srv.child("Off"), t); }));
  CHECK(failsWith(code::kServiceDisabled, [&] { startService(*srv.child("Off"), t); }));
  CHECK(failsWith(code::kDependencyFailed, [&] { startService(*srv.child("NeedsOff"), t); }));
  CHECK(serviceStatus(*srv.child("NeedsOff"), t) == kServiceStopped);
  CHECK(failsWith(code::kInvalidArgument, [] { checkServiceWrite("StartType", Value(int32_t{5})); }));
  CHECK(failsWith(code::kPropertyNotSupported, [] { checkServiceWrite("status", Value(int32_t{4})); }));
}

CHECKS("a service passes through its pending state for its own time, taking no control while it starts or "
       "stops") {
  Fleet fleet = checks::smallFleet();
  DirNode &srv = *fleet.findComputer("SRV")->winnt;
  DirNode &mid = *srv.child("Mid"), &top = *srv.child("Top");
  using Control = void (*)(DirNode &, int64_t);
  // control, the state it leaves at once, the state it settles in
  const struct {
    Control control;
    int32_t pending, settled;
  } steps[] = {{startService, kServiceStartPending, kServiceRunning},
               {pauseService, kServicePausePending, kServicePaused},
               {continueService, kServiceContinuePending, kServiceRunning},
               {stopService, kServiceStopPending, kServiceStopped}};
  int64_t t = 0;
  for (const auto &step : steps) {
    step.control(top, t);
    CHECK(serviceStatus(top, t) == step.pending);
    CHECK(serviceStatus(top, t + 499) == step.pending);
    if (step.pending == kServiceStartPending || step.pending == kServiceStopPending) {
      for (Control refused : {stopService, pauseService, continueService})
        CHECK(failsWith(code::kCannotAcceptControl, [&] { refused(top, t + 1); }));
      CHECK(failsWith(code::kServiceAlreadyRunning, [&] { startService(top, t + 1); }));
    }
    t += 500;
    CHECK(serviceStatus(top, t) == step.settled);
  }
  // A second pause while one is under way, or a continue of a running
  // service, changes nothing.
  startService(top, t);
  t += 500;
  pauseService(top, t);
  pauseService(top, t + 1);
  CHECK(serviceStatus(top, t + 499) == kServicePausePending && serviceStatus(top, t + 500) == kServicePaused);
  continueService(top, t + 500);
  continueService(top, t + 600);
  CHECK(serviceStatus(top, t + 999) == kServiceContinuePending &&
        serviceStatus(top, t + 1000) == kServiceRunning);
  // Mid's time is 0: it settles at once. A dependency still stopping fails
  // a start; one that has stopped is started and waited for.
  stopService(top, t + 1000);
  t += 1500;
  stopService(mid, t);
  CHECK(serviceStatus(mid, t) == kServiceStopped);
  startService(mid, t);
  mid.pendingMs = 200;
  stopService(mid, t);
  CHECK(failsWith(code::kDependencyFailed, [&] { startService(top, t + 199); }));
  startService(top, t + 200);
  CHECK(serviceStatus(mid, t + 200) == kServiceRunning &&
        serviceStatus(top, t + 200) == kServiceStartPending);
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
