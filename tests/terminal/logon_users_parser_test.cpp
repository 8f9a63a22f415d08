#include "terminal/logon_users_parser.hpp"

#include <gtest/gtest.h>

namespace qv {
namespace {

using Fields = std::vector<std::string>;

TEST(SplitColumns, TwoOrMoreBlanksSeparateSingleBlanksDoNot) {
  const std::pair<std::string, Fields> cases[] = {
      {" administrator  console  0  Active  none  3/5/2005 10:00 AM",
       {"administrator", "console", "0", "Active", "none", "3/5/2005 10:00 AM"}},
      {" user2                 2  Disc       1:05  3/5/2005 9:00 AM",
       {"user2", "2", "Disc", "1:05", "3/5/2005 9:00 AM"}},
      {"user1  rdp-tcp#1   3  Active  .  3/5/2005 9:30 AM",
       {"user1", "rdp-tcp#1", "3", "Active", ".", "3/5/2005 9:30 AM"}},
      {"a     b       c", {"a", "b", "c"}},
      {"   a  b   ", {"a", "b"}},
      {"a b c", {"a b c"}},
      {"", {}},
      {"     ", {}},
  };
  for (const auto &[line, fields] : cases)
    EXPECT_EQ(splitColumns(line), fields) << '"' << line << '"';
}

TEST(ParseLogonUsers, LinesThatAreNoSessionLeaveGaps) {
  const std::string output = "header  with  six  fields  right  here\r\n"
                             "a  console  1  Active  none  3/5/2005 10:00 AM\r\n" // 1: six
                             "b  2  Disc  none\r\n"                               // 2: four
                             "c  3  Disc  none  3/5/2005 9:00 AM\r\n"             // 3: five
                             "d  e  4  Active  none  3/5/2005  extra\r\n"         // 4: seven
                             "\r\n"                                               // 5: blank
                             "f  6  Disc  1:00  3/5/2005 8:00 AM\r\n"             // 6: five
                             "g  h  7  Active  none  3/5/2005 7:00 AM";           // last piece
  auto sessions = parseLogonUsers(output);
  ASSERT_TRUE(sessions.has_value());
  std::vector<std::pair<std::size_t, std::string>> found;
  for (const auto &session : *sessions)
    found.emplace_back(session.lineNumber, session.username);
  EXPECT_EQ(found, (std::vector<std::pair<std::size_t, std::string>>{{1, "a"}, {3, "c"}, {6, "f"}}));
}

// Output without a CRLF line end is no table; a header alone or a tool
// message with one is a table of no sessions.
TEST(ParseLogonUsers, OutputWithoutLineEndHasNoTableAndOtherOutputNoSessions) {
  for (std::string output : {"", "Error 1722 getting sessionnames", "a  b  1  Active  none  x\n", "a\rb\n"})
    EXPECT_FALSE(parseLogonUsers(output).has_value()) << output;
  for (std::string output :
       {"\r\n", " USERNAME  SESSIONNAME  ID  STATE  IDLE TIME  LOGON TIME\r\n",
        "Error 1722 getting sessionnames\r\nError [1722]:The RPC server is unavailable.\r\n"}) {
    auto sessions = parseLogonUsers(output);
    ASSERT_TRUE(sessions.has_value()) << output;
    EXPECT_TRUE(sessions->empty()) << output;
  }
}

} // namespace
} // namespace qv
