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

const std::string kListTs01 = "cmd.exe /C query user /server:ts01";

class TerminalServicesTest : public testing::Test {
protected:
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  TerminalServices terminal{Platform{nullptr, nullptr, system, nullptr}};
};

TEST_F(TerminalServicesTest, ListsSessionsAsRecordsKeyedByLineNumber) {
  system->commandOutputs[kListTs01] = " USERNAME  SESSIONNAME  ID  STATE  IDLE TIME  LOGON TIME\r\n"
                                      ">administrator  console  0  Active  none  3/5/2005 10:00 AM\r\n"
                                      " garbage line\r\n"
                                      " user2  2  Disc  1:05  3/5/2005 9:00 AM\r\n";
  CollectionPtr sessions = terminal.getLogonUsers("ts01");

  EXPECT_EQ(system->commands, std::vector<std::string>{kListTs01});
  ASSERT_EQ(keysOf(*sessions), (std::vector<std::string>{"1", "3"}));
  // Every field is text, as the tool printed it.
  auto texts = [](const Variant &session) {
    std::vector<std::string> out;
    for (const Variant &field : *session.as<Collection>()) {
      EXPECT_TRUE(field.isText());
      out.push_back(field.text());
    }
    return out;
  };
  EXPECT_EQ(keysOf(*(*sessions)["1"].as<Collection>()),
            (std::vector<std::string>{"username", "sessionid", "id", "state", "idletime", "logontime"}));
  EXPECT_EQ(texts((*sessions)["1"]), (std::vector<std::string>{">administrator", "console", "0", "Active",
                                                               "none", "3/5/2005 10:00 AM"}));
  EXPECT_EQ(texts((*sessions)[2]),
            (std::vector<std::string>{"user2", "", "2", "Disc", "1:05", "3/5/2005 9:00 AM"}));
}

TEST_F(TerminalServicesTest, ListingFailsWithoutALineEndAndIsEmptyWithoutATable) {
  // "" is also what a tool that could not start gives.
  for (std::string output : {"", "Error 5 getting sessionnames"}) {
    system->commandOutputs[kListTs01] = output;
    AutomationError error = failureOf([&] { terminal.getLogonUsers("ts01"); });
    EXPECT_EQ(error.number(), kSubscriptOutOfRange);
    EXPECT_EQ(error.description(), "Unable to get Terminal server users: Subscript out of range");
  }
  // A tool message with a line end instead of a table is an empty list.
  system->commandOutputs[kListTs01] = "No User exists for *\r\n";
  EXPECT_EQ(terminal.getLogonUsers("ts01")->count(), 0);
}

struct StatusCase {
  std::string status, server, id;
  std::string commandLine;
};

TEST_F(TerminalServicesTest, ChangeUserStatusRunsTheToolOfTheStatus) {
  const StatusCase cases[] = {
      {"reset", "ts01", "3", "cmd.exe /C reset session 3 /server:ts01"},
      {"disconnect", "ts01", "3", "cmd.exe /C tsdiscon 3 /server:ts01"},
      {"disconnect", "ts01.corp.example", "rdp-tcp#0",
       "cmd.exe /C tsdiscon rdp-tcp#0 /server:ts01.corp.example"},
      {"reset", "fe80::1", "ICA-tcp_1", "cmd.exe /C reset session ICA-tcp_1 /server:fe80::1"},
      {"reset", "10.0.0.5", "12", "cmd.exe /C reset session 12 /server:10.0.0.5"},
      // Letter case counts; an unknown status runs the empty command line,
      // and its values go nowhere, so they are not checked.
      {"Disconnect", "ts01", "3", ""},
      {"RESET", "ts01", "3", ""},
      {"logoff", "ts01 & del /q C:\\*", "", ""},
  };
  for (const auto &c : cases) {
    system->commands.clear();
    system->commandOutputs[c.commandLine] = "output of [" + c.commandLine + "]";
    EXPECT_EQ(terminal.changeUserStatus(c.status, c.server, c.id), "output of [" + c.commandLine + "]")
        << c.status;
    EXPECT_EQ(system->commands, std::vector<std::string>{c.commandLine}) << c.status;
  }
}

// Each character the command interpreter reads as its own, alone in an
// otherwise good name, and the other texts that are no name.
const std::string kOneForbidden[] = {"&", "|", "^", "<",  ">", "%", "\"", "'",  " ",  ",",  ";",
                                     "(", ")", "/", "\\", "!", "=", "*",  "\t", "\n", "\r", "\xC3\xA9"};

TEST_F(TerminalServicesTest, ServerNamesWithAnyForbiddenCharacterAreRefusedAndNothingRuns) {
  std::vector<std::string> names{"", "ts01 /server:x"};
  for (const std::string &c : kOneForbidden)
    names.push_back("ts" + c + "01");
  for (const std::string &server : names) {
    AutomationError listing = failureOf([&] { terminal.getLogonUsers(server); });
    EXPECT_EQ(listing.number(), kInvalidCall) << server;
    EXPECT_EQ(listing.description(), "Unable to get Terminal server users: invalid server name") << server;
    AutomationError change = failureOf([&] { terminal.changeUserStatus("reset", server, "3"); });
    EXPECT_EQ(change.description(),
              "Unable to change user status on terminal server " + server + ": invalid server name");
  }
  EXPECT_TRUE(system->commands.empty());
}

TEST_F(TerminalServicesTest, SessionIdsWithAnyForbiddenCharacterAreRefusedAndNothingRuns) {
  std::vector<std::string> ids{"", "..", "3:4", "3.4"};
  for (const std::string &c : kOneForbidden)
    ids.push_back("3" + c + "4");
  for (const std::string &id : ids) {
    for (std::string status : {"disconnect", "reset"}) {
      AutomationError error = failureOf([&] { terminal.changeUserStatus(status, "ts01", id); });
      EXPECT_EQ(error.description(),
                "Unable to change user status on terminal server ts01: invalid session id")
          << id;
    }
  }
  EXPECT_TRUE(system->commands.empty());
}

} // namespace
} // namespace qv
