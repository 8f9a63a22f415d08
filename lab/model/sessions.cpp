#include "lab/model/sessions.hpp"

#include <algorithm>

#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

std::string padRight(const std::string &text, std::size_t width) {
  std::string result = text;
  result.append(result.size() + 2 > width ? 2 : width - result.size(), ' ');
  return result;
}

std::string padLeft(const std::string &text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

} // namespace

std::vector<SessionChange> parseJournal(std::string_view text) {
  std::vector<SessionChange> changes;
  for (std::string line : split(text, '\n')) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::vector<std::string> fields = split(line, '\t');
    if (fields.size() == 3) changes.push_back({fields[0], fields[1], fields[2]});
  }
  return changes;
}

std::string journalLine(const SessionChange &change) {
  return change.action + "\t" + change.server + "\t" + change.id + "\n";
}

std::vector<Session> currentSessions(const Computer &computer, const std::vector<SessionChange> &journal) {
  std::vector<Session> sessions = computer.sessions;
  for (const auto &change : journal) {
    if (!equalsNoCase(change.server, computer.name)) continue;
    auto it =
        std::find_if(sessions.begin(), sessions.end(), [&](const Session &s) { return s.id == change.id; });
    if (it == sessions.end()) continue;
    if (change.action == "reset") {
      sessions.erase(it);
    } else if (change.action == "disconnect") {
      it->state = "Disc";
      it->sessionName.clear();
    }
  }
  return sessions;
}

std::string sessionTable(const std::vector<Session> &sessions, bool ofCallersComputer) {
  auto line = [](char mark, const std::string &user, const std::string &session, const std::string &id,
                 const std::string &state, const std::string &idle, const std::string &logon) {
    std::string text(1, mark);
    for (const std::string &column :
         {padRight(user, 22), padRight(session, 17), padLeft(id, 3), std::string("  "), padRight(state, 6),
          padLeft(idle, 9), std::string("  "), logon, std::string("\r\n")})
      text.append(column);
    return text;
  };
  std::string table = line(' ', "USERNAME", "SESSIONNAME", "ID", "STATE", "IDLE TIME", "LOGON TIME");
  for (const auto &s : sessions)
    table += line(ofCallersComputer && s.current ? '>' : ' ', s.user, s.sessionName, s.id, s.state, s.idle,
                  s.logon);
  return table;
}

} // namespace qv::lab
