#include "lab/tools/session_change.hpp"

#include <algorithm>

#include "lab/model/text.hpp"
#include "lab/tools/tool_support.hpp"

namespace qv::lab::tool {

int changeSession(const std::string &action, const std::string &id, const std::string &server) {
  Fleet fleet = loadFleetOrExit();
  Computer *computer = fleet.reach(server, localNames());
  if (!computer || !computer->reachable) {
    print("Error [1722]:The RPC server is unavailable.\r\n");
    return 1;
  }
  int32_t number = 0;
  std::vector<Session> sessions = currentSessions(*computer, readJournal());
  bool found = parseInt32(id, number) &&
               std::any_of(sessions.begin(), sessions.end(), [&](const Session &s) { return s.id == id; });
  if (!found) {
    print("Session ID " + id + " not found\r\nError [7022]:The specified session cannot be found.\r\n");
    return 1;
  }
  appendJournal({action, computer->name, id});
  return 0;
}

} // namespace qv::lab::tool
