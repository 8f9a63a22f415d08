#include <cstring>

#include "lab/checks/check.hpp"
#include "lab/checks/small_fleet.hpp"
#include "lab/model/sessions.hpp"
#include "lab/model/text.hpp"

using namespace qv::lab;

namespace {

bool refused(const std::string &json, const char *mention) {
  try {
    loadFleet(json);
  } catch (const FleetError &e) {
    if (std::strstr(e.what(), mention)) return true;
    std::printf("  message was: %s\n", e.what());
  }
  return false;
}

std::string fleetWith(const std::string &computer) {
  return R"({"classes": {"Win32_Process": {"Name": "string"}}, "workgroups": [{"name": "W"}], "computers": [)"
         R"({"name": "L", "workgroup": "W", "local": true})" +
         (computer.empty() ? "" : ", " + computer) + "]}";
}

// The layout parse of a session listing: blanks in pairs separate columns.
std::vector<std::string> fields(std::string line) {
  line = trim(line);
  std::string joined;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ' && i + 1 < line.size() && line[i + 1] == ' ') {
      joined.push_back(';');
      ++i;
    } else {
      joined.push_back(line[i]);
    }
  }
  std::vector<std::string> result;
  for (const auto &piece : split(joined, ';'))
    if (!piece.empty()) result.push_back(trim(piece));
  return result;
}

} // namespace

CHECKS("the fleet file is refused with the place of its mistake") {
  CHECK(refused("{", "not valid JSON"));
  CHECK(refused(fleetWith(R"({"name": "X", "workgroup": "W", "colour": 1})"),
                "computers[1]: unknown key \"colour\""));
  CHECK(refused(fleetWith(R"({"name": "X", "workgroup": "NONE"})"), "no workgroup NONE"));
  CHECK(refused(fleetWith(R"({"name": "l", "workgroup": "W"})"), "listed twice"));
  CHECK(refused(fleetWith(R"({"name": "X", "workgroup": "W", "wmi": {"Win32_Process": [{"Nmae": "a"}]}})"),
                "no property Nmae in class Win32_Process"));
  CHECK(refused(
      fleetWith(
          R"({"name": "X", "workgroup": "W", "services": [{"Name": "s", "DisplayName": "s", "Status": 4, "StartType": 2, "ServiceType": 16, "ErrorControl": 1, "Stauts": 1}]})"),
      "unknown key \"Stauts\""));
  CHECK(refused(
      fleetWith(R"({"name": "X", "workgroup": "W", "folders": [{"path": "sites", "files": 1, "bytes": 1}]})"),
      "X:\\folder"));
  CHECK(refused(
      R"({"classes": {}, "workgroups": [{"name": "W"}], "computers": [{"name": "A", "workgroup": "W"}]})",
      "no computer is marked \"local\""));
  CHECK(refused(R"({"classes": {"C": {"P": "uint42"}}, "workgroups": [], "computers": []})", "unknown type"));
  CHECK(refused(
      fleetWith(
          R"({"name": "X", "workgroup": "W", "services": [{"Name": "s", "DisplayName": "s", "Status": 1, "StartType": 3, "ServiceType": 16, "ErrorControl": 1, "pendingMs": -1}]})"),
      "out of range"));
  CHECK(refused(
      fleetWith(
          R"({"name": "X", "workgroup": "W", "sessions": [{"user": "u", "id": "1", "state": "Active", "idle": ".", "logon": "now", "current": true}]})"),
      "caller's session"));
  std::string undocumented = checks::kSmallFleet;
  undocumented.replace(undocumented.find("\"Warning\""), 9, "\"Audit Success\"");
  CHECK(refused(undocumented, "\"Audit Success\" is none of the five documented event types"));
}

CHECKS("the session table separates every column by two blanks or more") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  std::string table = sessionTable(currentSessions(srv, {}), false);
  std::vector<std::string> lines = split(table, '\n');
  CHECK(lines.size() == 4 && lines.back().empty());
  for (auto &line : lines)
    if (!line.empty()) CHECK(line.back() == '\r');
  auto console = fields(lines[1].substr(0, lines[1].size() - 1));
  CHECK(console ==
        (std::vector<std::string>{"administrator", "console", "0", "Active", "none", "3/5/2005 10:00 AM"}));
  auto disconnected = fields(lines[2].substr(0, lines[2].size() - 1));
  CHECK(disconnected == (std::vector<std::string>{"user2", "2", "Disc", "1:05", "3/5/2005 9:00 AM"}));
}

CHECKS("the caller's own session is marked in a listing of the caller's computer only") {
  Fleet fleet = checks::smallFleet();
  const std::vector<Session> &own = fleet.localComputer()->sessions;
  std::vector<std::string> lines = split(sessionTable(own, true), '\n');
  CHECK(lines.size() == 3 && lines[1].rfind(">operator ", 0) == 0);
  CHECK(fields(lines[1].substr(0, lines[1].size() - 1)).front() == ">operator");
  CHECK(split(sessionTable(own, false), '\n')[1].rfind(" operator ", 0) == 0);
  CHECK(split(sessionTable(fleet.findComputer("SRV")->sessions, true), '\n')[1].rfind(" administrator ", 0) ==
        0);
}

CHECKS("the journal disconnects and resets sessions of its own server only") {
  Fleet fleet = checks::smallFleet();
  Computer &srv = *fleet.findComputer("SRV");
  auto journal = parseJournal(journalLine({"disconnect", "srv", "0"}) + journalLine({"reset", "SRV", "2"}) +
                              journalLine({"reset", "OTHER", "0"}) + "garbage\r\n");
  CHECK(journal.size() == 3);
  auto sessions = currentSessions(srv, journal);
  CHECK(sessions.size() == 1 && sessions[0].id == "0" && sessions[0].state == "Disc" &&
        sessions[0].sessionName.empty());
}
