#pragma once
// Terminal sessions as the host tools see them: the fleet's sessions with
// the disconnects and resets recorded in the lab's journal applied, and the
// session table printed in the column layout of "query user".

#include <string>
#include <string_view>
#include <vector>

#include "lab/model/fleet.hpp"

namespace qv::lab {

struct SessionChange {
  std::string action; // "disconnect" or "reset"
  std::string server;
  std::string id;
};

// Journal lines: action, server and session id separated by tabs.
std::vector<SessionChange> parseJournal(std::string_view text);
std::string journalLine(const SessionChange &change);

std::vector<Session> currentSessions(const Computer &computer, const std::vector<SessionChange> &journal);

// Header and one line per session, each ending in "\r\n". Columns are
// padded so that at least two blanks separate any two of them. A listing
// of the caller's own computer marks the caller's session with ">" in the
// first column, before the user name.
std::string sessionTable(const std::vector<Session> &sessions, bool ofCallersComputer);

} // namespace qv::lab
