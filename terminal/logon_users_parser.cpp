#include "terminal/logon_users_parser.hpp"

#include "core/convert.hpp"

namespace qv {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::optional<SessionLine> sessionFrom(std::size_t lineNumber, std::vector<std::string> &fields) {
  if (fields.size() != 5 && fields.size() != 6) return std::nullopt;
  SessionLine session;
  session.lineNumber = lineNumber;
  std::size_t next = 0;
  session.username = std::move(fields[next++]);
  // Five fields: the session name column was blank.
  if (fields.size() == 6) session.sessionid = std::move(fields[next++]);
  session.id = std::move(fields[next++]);
  session.state = std::move(fields[next++]);
  session.idletime = std::move(fields[next++]);
  session.logontime = std::move(fields[next++]);
  return session;
}

} // namespace

std::vector<std::string> splitColumns(std::string_view line) {
  line = trim(line);
  std::string marked;
  marked.reserve(line.size());
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == ' ' && i + 1 < line.size() && line[i + 1] == ' ') {
      marked.push_back(';');
      ++i;
    } else {
      marked.push_back(line[i]);
    }
  }

  std::vector<std::string> fields;
  std::string_view rest = marked;
  for (;;) {
    std::size_t gap = rest.find(';');
    std::string_view piece = rest.substr(0, gap);
    if (!piece.empty()) fields.emplace_back(trim(piece));
    if (gap == std::string_view::npos) break;
    rest.remove_prefix(gap + 1);
  }
  return fields;
}

std::optional<std::vector<SessionLine>> parseLogonUsers(std::string_view output) {
  std::size_t end = output.find(kLineEnd);
  if (end == std::string_view::npos) return std::nullopt;

  // Line 0 is the header; the last piece (normally empty) has no line end of
  // its own. Everything between, and only that, is a candidate session.
  std::vector<SessionLine> sessions;
  std::size_t lineNumber = 1;
  std::size_t start = end + kLineEnd.size();
  for (;;) {
    end = output.find(kLineEnd, start);
    if (end == std::string_view::npos) break;
    auto fields = splitColumns(output.substr(start, end - start));
    if (auto session = sessionFrom(lineNumber, fields)) sessions.push_back(std::move(*session));
    ++lineNumber;
    start = end + kLineEnd.size();
  }
  return sessions;
}

} // namespace qv
