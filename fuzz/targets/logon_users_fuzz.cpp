// The parser of the "query user" table on any output: nullopt exactly when
// the output holds no "\r\n"; otherwise one session per line between the
// header and the last piece that splits into five or six fields, in line
// order, with fields that are trimmed and hold neither a column gap nor a
// line end. Fields joined by two blanks split back into themselves.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.hpp"
#include "terminal/logon_users_parser.hpp"

namespace {

using namespace qv;

void checkField(const std::string &field, const std::string &context) {
  fuzz::require(field.empty() || (field.front() != ' ' && field.back() != ' '),
                context + ": untrimmed field");
  fuzz::require(field.find("  ") == std::string::npos, context + ": field holds a column gap");
  fuzz::require(field.find(';') == std::string::npos, context + ": field holds a ';'");
  fuzz::require(field.find("\r\n") == std::string::npos, context + ": field holds a line end");
}

std::vector<std::string> lines(std::string_view output) {
  std::vector<std::string> pieces;
  for (;;) {
    std::size_t end = output.find("\r\n");
    pieces.emplace_back(output.substr(0, end));
    if (end == std::string_view::npos) break;
    output.remove_prefix(end + 2);
  }
  return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size) {
  fuzz::Input input(data, size);
  const std::string_view output = input.rest();
  const std::string context = "query user output " + fuzz::show(output);

  auto sessions = parseLogonUsers(output);
  const bool hasLineEnd = output.find("\r\n") != std::string_view::npos;
  fuzz::require(sessions.has_value() == hasLineEnd, context + ": wrong failure");
  if (!sessions) return 0;

  // The candidates: every piece but the header and the last one.
  const std::vector<std::string> pieces = lines(output);
  std::vector<std::size_t> expected;
  for (std::size_t n = 1; n + 1 < pieces.size(); ++n) {
    auto fields = splitColumns(pieces[n]);
    for (const auto &field : fields)
      checkField(field, context + " line " + std::to_string(n));
    if (fields.size() == 5 || fields.size() == 6) expected.push_back(n);

    // Fields that are whole, written with column gaps, split back.
    bool whole = !fields.empty();
    for (const auto &field : fields)
      whole = whole && !field.empty();
    if (whole) {
      std::string joined;
      for (const auto &field : fields)
        joined += (joined.empty() ? "" : "  ") + field;
      fuzz::require(splitColumns(joined) == fields,
                    context + ": " + fuzz::show(joined) + " splits otherwise");
    }
  }

  fuzz::require(sessions->size() == expected.size(), context + ": " + std::to_string(sessions->size()) +
                                                         " sessions, expected " +
                                                         std::to_string(expected.size()));
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const SessionLine &s = (*sessions)[k];
    const std::string where = context + " session " + std::to_string(k);
    fuzz::require(s.lineNumber == expected[k], where + ": line number");
    auto fields = splitColumns(pieces[s.lineNumber]);
    std::vector<std::string> got{s.username, s.sessionid, s.id, s.state, s.idletime, s.logontime};
    if (fields.size() == 5) fields.insert(fields.begin() + 1, std::string());
    fuzz::require(got == fields, where + ": fields out of place");
  }
  return 0;
}
