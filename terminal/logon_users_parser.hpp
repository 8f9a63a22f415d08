#pragma once
// Reading the session table that "query user" prints.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qv {

// One session line of the table, its columns as printed (trimmed).
struct SessionLine {
  std::size_t lineNumber = 0; // index of the line in the output; the header is 0
  std::string username;
  std::string sessionid; // the session name; empty when the column was blank
  std::string id;        // the session number
  std::string state;
  std::string idletime;
  std::string logontime;
};

// The fields of one line: blanks trimmed at both ends, every pair of blanks
// taken as a column gap (a run of 2n + 1 blanks is n gaps and a blank), the
// pieces between gaps trimmed; a single blank, as inside the logon time,
// does not separate.
std::vector<std::string> splitColumns(std::string_view line);

// The sessions of the table: lines between the header (line 0) and the last
// piece after the final "\r\n"; a line gives a session when it splits into
// six fields, or into five (the session name blank). nullopt when the output
// holds no "\r\n" at all (which is also what a tool that could not start
// gives).
std::optional<std::vector<SessionLine>> parseLogonUsers(std::string_view output);

} // namespace qv
