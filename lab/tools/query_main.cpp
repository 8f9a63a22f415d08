// query.exe of the lab: "query user [name] [/server:X]" prints the sessions
// of a lab computer, with the disconnects and resets made so far applied.

#include "lab/model/text.hpp"
#include "lab/tools/tool_support.hpp"

using namespace qv::lab;

int main() {
  std::vector<std::string> args = tool::arguments();
  if (args.empty() || !equalsNoCase(args[0], "user")) {
    tool::print("Invalid parameter(s)\r\nQUERY { USER } [username] [/SERVER:servername]\r\n");
    return 1;
  }
  std::string user;
  for (std::size_t i = 1; i < args.size(); ++i)
    if (!args[i].empty() && args[i][0] != '/') user = args[i];

  Fleet fleet = tool::loadFleetOrExit();
  std::string server = tool::option(args, "server").value_or("localhost");
  Computer *computer = fleet.reach(server, tool::localNames());
  if (!computer || !computer->reachable) {
    tool::print(
        "Error 0x000006BA enumerating sessionnames\r\nError [1722]:The RPC server is unavailable.\r\n");
    return 1;
  }
  std::vector<Session> sessions;
  for (const auto &s : currentSessions(*computer, tool::readJournal()))
    if (user.empty() || equalsNoCase(s.user, user)) sessions.push_back(s);
  if (sessions.empty()) {
    tool::print("No User exists for " + (user.empty() ? std::string("*") : user) + "\r\n");
    return 1;
  }
  tool::print(sessionTable(sessions, computer == fleet.localComputer()));
  return 0;
}
