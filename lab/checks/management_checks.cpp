#include "lab/checks/check.hpp"
#include "lab/checks/small_fleet.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/management.hpp"

using namespace qv::lab;
using checks::failsWith;

namespace {

std::vector<InstancePtr> all(InstanceCursor &cursor) {
  std::vector<InstancePtr> items;
  while (InstancePtr item = cursor.next())
    items.push_back(item);
  return items;
}

std::string text(const InstancePtr &instance, const char *property) {
  const Value *value = instance->props.find(property);
  return value ? value->toText() : "<missing>";
}

} // namespace

CHECKS("monikers name the computer; only root\\cimv2 is served") {
  Fleet fleet = checks::smallFleet();
  LocalNames host{"VM", "VMGROUP"};
  CHECK(connectManagement(fleet, "winmgmts://srv", host).name == "SRV");
  CHECK(connectManagement(fleet, "WinMgmts:", host).name == "ADMIN");
  CHECK(connectManagement(fleet, "winmgmts:\\\\.\\root\\cimv2", host).name == "ADMIN");
  CHECK(
      connectManagement(fleet, "winmgmts:{impersonationLevel=impersonate}!\\\\SRV\\root\\cimv2", host).name ==
      "SRV");
  CHECK(connectManagement(fleet, "winmgmts://vm/root/cimv2", host).name == "ADMIN");
  CHECK(failsWith(code::kServerUnavailable, [&] { connectManagement(fleet, "winmgmts://GONE", host); }));
  CHECK(failsWith(code::kServerUnavailable, [&] { connectManagement(fleet, "winmgmts://nobody", host); }));
  CHECK(failsWith(code::kWbemInvalidNamespace,
                  [&] { connectManagement(fleet, "winmgmts://SRV/root/default", host); }));
}

CHECKS("instances and queries: the fleet's order, 64-bit numbers as text, projections") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  auto processes = all(*instancesOf(fleet, srv, "WIN32_PROCESS"));
  CHECK(processes.size() == 3 && text(processes[1], "name") == "app");
  CHECK(processes[1]->props.find("WorkingSetSize")->as<std::string>() != nullptr);
  CHECK(text(processes[1], "WorkingSetSize") == "9000000000");
  CHECK(processes[2]->props.find("WorkingSetSize")->isNull());
  CHECK(failsWith(code::kWbemInvalidClass, [&] { instancesOf(fleet, srv, "Win32_Nothing"); }));
  CHECK(all(*instancesOf(fleet, *fleet.findComputer("ADMIN"), "Win32_Process")).empty());

  auto named = all(*execQuery(fleet, srv, "select Name from Win32_Process where name = 'app\\'s'"));
  CHECK(named.size() == 1 && text(named[0], "Name") == "App's" && !named[0]->props.find("ProcessId"));
  CHECK(all(*execQuery(fleet, srv, "Select * from Win32_NetworkAdapterConfiguration Where IPEnabled = True"))
            .size() == 1);
  CHECK(all(*execQuery(fleet, srv, "select * from Win32_Process where ProcessId=-1")).empty());
  auto logs = all(*instancesOf(fleet, srv, "Win32_NTEventLogFile"));
  CHECK(logs.size() == 2 && text(logs[0], "LogfileName") == "System" &&
        text(logs[0], "NumberOfRecords") == "50");
}

CHECKS("events come newest first, made by rule, with the computer's offset") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  auto events = all(*execQuery(fleet, srv, "Select * from Win32_NTLogEvent where LogFile='system'"));
  CHECK(events.size() == 50);
  CHECK(text(events[0], "RecordNumber") == "150" && text(events[49], "RecordNumber") == "101");
  // Record 101 is the first, at the start time; the offset is the bias.
  CHECK(text(events[49], "TimeGenerated") == "20260228235000.000000+060");
  CHECK(text(events[39], "TimeGenerated") == "20260301000000.000000+060"); // record 111, across midnight
  CHECK(text(events[49], "Message") == "x did y");                         // template 0, insertion set 0
  CHECK(text(events[47], "Message") == "p did q");                         // template 0, insertion set 1
  CHECK(events[48]->props.find("InsertionStrings")->isNull());             // template 1 has none
  CHECK(text(events[48], "User") == "   " && *events[48]->props.find("EventType")->as<uint8_t>() == 1);

  auto page = all(*execQuery(
      fleet, srv,
      "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber <=120 and Recordnumber >110"));
  CHECK(page.size() == 10 && text(page[0], "RecordNumber") == "120" &&
        text(page[9], "RecordNumber") == "111");
  CHECK(all(*execQuery(fleet, srv, "select * from Win32_NTLogEvent where RecordNumber=2")).size() == 1);
  auto both =
      all(*execQuery(fleet, srv, "select * from win32_NTLogEvent where RecordNumber=2 or RecordNumber=102"));
  CHECK(both.size() == 2 && text(both[0], "Logfile") == "System" && text(both[1], "Logfile") == "App");
  auto first = execQuery(fleet, srv, "Select * from Win32_NTLogEvent");
  CHECK(text(first->next(), "RecordNumber") == "150");
}

CHECKS(
    "a uint32 from 2^31 up is delivered negative and compared by its own value; event types as documented") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  auto audits =
      all(*execQuery(fleet, srv, "select * from Win32_NTLogEvent where EventIdentifier = 3221225477"));
  CHECK(audits.size() == 1 && text(audits[0], "RecordNumber") == "2");
  CHECK(*audits[0]->props.find("EventIdentifier")->as<int32_t>() == -1073741819);
  CHECK(text(audits[0], "Type") == "Security Audit Failure" &&
        *audits[0]->props.find("EventType")->as<uint8_t>() == 5);
  CHECK(all(*execQuery(fleet, srv, "select * from Win32_NTLogEvent where EventIdentifier < 0")).empty());
  CHECK(all(*execQuery(fleet, srv, "select * from Win32_NTLogEvent where EventIdentifier > 2147483647"))
            .size() == 1);
  auto information = all(*execQuery(fleet, srv, "select * from Win32_NTLogEvent where RecordNumber = 3"));
  CHECK(*information[0]->props.find("EventType")->as<uint8_t>() == 3);
}

// Record 101 is made at 23:50 of a zone an hour east, 22:50 universal time,
// one a minute after it; templates alternate Warning (2) and Error (1).
CHECKS("event times compare as instants whatever offset a text carries, and types by number") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  const std::string system = "Select * from Win32_NTLogEvent where LogFile='System' and ";
  const std::pair<const char *, std::size_t> cases[] = {
      {"TimeGenerated >= '20260228230000.000000+000'", 40},
      {"TimeGenerated >= '20260301000000.000000+060'", 40},
      {"TimeGenerated >= '20260228180000.000000-300'", 40},
      {"TimeGenerated > '20260228230000.000000+000'", 39},
      {"TimeGenerated >= '20260301000000.000000+000'", 0},
      {"TimeGenerated >= '20200101000000.000000+000'", 50},
      {"TimeGenerated >= '20260228230000.000000+000' and (EventType = 1)", 20},
      {"TimeGenerated >= '20260228230000.000000+000' and (EventType = 2 or EventType = 1)", 40},
      {"TimeGenerated >= 'yesterday'", 0},
  };
  for (const auto &[where, count] : cases) {
    auto events = all(*execQuery(fleet, srv, system + where));
    CHECK(events.size() == count);
    if (count == 40) CHECK(text(events.back(), "RecordNumber") == "111");
  }
}

CHECKS("GetOwner and Terminate answer for the process asked") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  auto processes = all(*instancesOf(fleet, srv, "Win32_Process"));
  std::string user, domain;
  CHECK(processOwner(*processes[1], user, domain) == 0 && user == "bob" && domain == "CORP");
  CHECK(processOwner(*processes[0], user, domain) == 2);
  CHECK(terminateProcess(srv, *processes[0]) == 2);
  CHECK(terminateProcess(srv, *processes[1]) == 0);
  CHECK(all(*instancesOf(fleet, srv, "Win32_Process")).size() == 2);
  CHECK(failsWith(code::kWbemNotFound, [&] { terminateProcess(srv, *processes[1]); }));
}

CHECKS("Security-log entries only through a moniker that enables the Security privilege") {
  CHECK(privilegesOf("winmgmts:{impersonationLevel=impersonate,(Security)}!//srv").security);
  CHECK(privilegesOf("WINMGMTS:{impersonationLevel=impersonate, (Debug, security)}").security);
  CHECK(!privilegesOf("winmgmts:{impersonationLevel=impersonate,(!Security)}!//srv").security);
  CHECK(!privilegesOf("winmgmts:{impersonationLevel=impersonate}!//srv").security);
  CHECK(!privilegesOf("winmgmts://srv").security);

  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  EventLogRule security = srv.eventLogs.back();
  security.log = "security";
  srv.eventLogs.push_back(security);
  const Privileges enabled{true};
  const char *const query = "Select * from Win32_NTLogEvent where LogFile='Security'";
  CHECK(failsWith(code::kWbemAccessDenied, [&] { all(*execQuery(fleet, srv, query)); }));
  CHECK(all(*execQuery(fleet, srv, query, enabled)).size() == 3);
  // Other logs are read as before, also by a walk that stops short of it.
  CHECK(all(*execQuery(fleet, srv, "Select * from Win32_NTLogEvent where LogFile='App'")).size() == 3);
  CHECK(failsWith(code::kWbemAccessDenied, [&] { all(*instancesOf(fleet, srv, "Win32_NTLogEvent")); }));
  CHECK(all(*instancesOf(fleet, srv, "Win32_NTLogEvent", enabled)).size() == 56);
  CHECK(all(*instancesOf(fleet, srv, "Win32_NTEventLogFile")).size() == 2); // the files are listed without it
}
