#include "terminal/terminal_services.hpp"

#include <gtest/gtest.h>

#include <memory>

#include "core/automation_error.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::keysOf;
using test::Raised;
using test::raisedBy;

const std::string kListTs01 = "cmd.exe /C query user /server:ts01";

class TerminalServicesTest : public testing::Test {
protected:
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  TerminalServices terminal{Platform{nullptr, nullptr, system, nullptr}};
};

// Lines of other than five or six fields, two or more blanks apart, are no
// session and leave gaps, as does a last piece without a line end.
TEST_F(TerminalServicesTest, ListsSessionsAsTextRecordsKeyedByLineNumber) {
  system->commandOutputs[kListTs01] = " USERNAME  SESSIONNAME  ID  STATE  IDLE TIME  LOGON TIME\r\n"
                                      ">administrator  console  0  Active  none  3/5/2005 10:00 AM\r\n"
                                      "b  2  Disc  none\r\n"
                                      " user2     2  Disc       1:05  3/5/2005 9:00 AM\r\n"
                                      "d  e  4  Active  none  3/5/2005  extra\r\n"
                                      "\r\n"
                                      "g  h  7  Active  none  3/5/2005 7:00 AM";
  CollectionPtr sessions = terminal.getLogonUsers("ts01");
  ASSERT_EQ(keysOf(*sessions), (std::vector<std::string>{"1", "3"}));
  // The caller's own session keeps its mark; of five fields, the session name is the one missing.
  const std::vector<std::string> fields{"username", "sessionid", "id", "state", "idletime", "logontime"};
  const std::pair<const char *, std::vector<Variant>> expected[] = {
      {"1", {">administrator", "console", "0", "Active", "none", "3/5/2005 10:00 AM"}},
      {"3", {"user2", "", "2", "Disc", "1:05", "3/5/2005 9:00 AM"}}};
  for (const auto &[key, values] : expected) {
    const Collection &session = *(*sessions)[key].as<Collection>();
    ASSERT_EQ(keysOf(session), fields);
    EXPECT_EQ(test::itemsOf(session), values);
  }
}

// "" is also what a tool that could not start gives. A command that ran out
// of time may have printed any part of its table: both methods fail with
// their own message rather than return it.
TEST_F(TerminalServicesTest, ListingFailsWithoutALineEndOrOutOfTimeAndIsEmptyWithoutATable) {
  for (const char *output : {"", "a  b  1  Active  none  x\n"}) {
    system->commandOutputs[kListTs01] = output;
    EXPECT_EQ(raisedBy([&] { terminal.getLogonUsers("ts01"); }),
              Raised(kSubscriptOutOfRange, "Unable to get Terminal server users: Subscript out of range"));
  }
  system->commandOutputs[kListTs01] = "No User exists for *\r\n";
  EXPECT_EQ(terminal.getLogonUsers("ts01")->count(), 0);
  const std::string late = "the command did not end within 120 s";
  system->captureFailure = AutomationError(static_cast<int32_t>(0x800705B4u), kSource, late);
  EXPECT_EQ(raisedBy([&] { terminal.getLogonUsers("ts01"); }),
            Raised(static_cast<int32_t>(0x800705B4u), "Unable to get Terminal server users: " + late));
  EXPECT_EQ(failureOf([&] { terminal.changeUserStatus("reset", "ts01", "3"); }).description(),
            "Unable to change user status on terminal server ts01: " + late);
}

TEST_F(TerminalServicesTest, ChangeUserStatusRunsTheToolOfTheStatus) {
  // Status, server, id, command line. Letter case counts; an unknown status
  // runs the empty command line.
  const std::tuple<const char *, const char *, const char *, std::string> cases[] = {
      {"reset", "fe80::1", "ICA-tcp_1", "cmd.exe /C reset session ICA-tcp_1 /server:fe80::1"},
      {"disconnect", "ts01.corp", "rdp-tcp#0", "cmd.exe /C tsdiscon rdp-tcp#0 /server:ts01.corp"},
      {"logoff", "ts01 & del /q C:\\*", "", ""},
      {"disconnect", "Az09.z-Z_a:", "aZ_9-z#A0", "cmd.exe /C tsdiscon aZ_9-z#A0 /server:Az09.z-Z_a:"},
      // The host's interpreter, here a 32-bit process's way to the native one.
      {"reset", "ts01", "3", "C:\\Windows\\Sysnative\\cmd.exe /C reset session 3 /server:ts01"},
      {"list", "ts01", "", "C:\\Windows\\Sysnative\\cmd.exe /C query user /server:ts01"}};
  for (const auto &[status, server, id, commandLine] : cases) {
    if (commandLine.starts_with("C:")) system->interpreter = "C:\\Windows\\Sysnative\\cmd.exe";
    if (std::string(status) == "list") {
      system->commandOutputs[commandLine] =
          "header\r\nadmin  console  0  Active  none  3/5/2005 10:00 AM\r\n";
      EXPECT_EQ(terminal.getLogonUsers(server)->count(), 1);
      continue;
    }
    system->commands.clear();
    system->commandOutputs[commandLine] = "output of [" + commandLine + "]";
    EXPECT_EQ(terminal.changeUserStatus(status, server, id), "output of [" + commandLine + "]") << status;
    EXPECT_EQ(system->commands, std::vector<std::string>{commandLine}) << status;
  }
}

// Each character the command interpreter reads as its own, alone in an
// otherwise good server name or session id, and the other texts that are no
// name or id.
TEST_F(TerminalServicesTest, NamesAndIdsWithAnyForbiddenCharacterAreRefusedAndNothingRuns) {
  std::vector<std::string> servers{"", "ts01 /server:x"}, ids{"", "..", "3:4"};
  for (std::string c : {"&",  "|", "^", "<", ">",  "%",  "\"", "'",        " ", ",", ";", "(", ")", "/",
                        "\\", "!", "=", "*", "\t", "\n", "\r", "\xC3\xA9", "@", "[", "`", "{", "$"}) {
    servers.push_back("ts" + c + "01");
    ids.push_back("3" + c + "4");
  }
  for (const std::string &server : servers) {
    EXPECT_EQ(failureOf([&] { terminal.getLogonUsers(server); }).description(),
              "Unable to get Terminal server users: invalid server name")
        << server;
    EXPECT_EQ(failureOf([&] { terminal.changeUserStatus("reset", server, "3"); }).description(),
              "Unable to change user status on terminal server " + server + ": invalid server name");
  }
  for (const std::string &id : ids) {
    for (const char *status : {"disconnect", "reset"}) {
      EXPECT_EQ(
          raisedBy([&] { terminal.changeUserStatus(status, "ts01", id); }),
          Raised(kInvalidCall, "Unable to change user status on terminal server ts01: invalid session id"))
          << id;
    }
  }
  EXPECT_TRUE(system->commands.empty());
}

} // namespace
} // namespace qv
