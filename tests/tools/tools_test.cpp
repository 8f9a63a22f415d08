#include <gtest/gtest.h>

#include <tuple>

#include "core/portable_regional.hpp"
#include "tests/services/fake_network.hpp"
#include "tools/launch_reboot.hpp"
#include "tools/tools.hpp"
#include "tools/util.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::FakeNetwork;

const char *const kBrowseMessage =
    "Could not browse the selected workgroup or domain. Please make sure that Kelvara "
    "have the userrights needed to browse the computer network";
const char *const kGhostMessage =
    "Could not connect to  GHOST . This means either that it's a \"ghost\" on the "
    "network, or that Kelvara does not have the correct credetials to access it.";

TEST(ToolsConnection, OpensWorkgroupOrComputerPathAndExplainsFailures) {
  // Workgroup, computer, the path bound, whether it was reached, the message.
  const std::tuple<const char *, std::optional<std::string>, const char *, bool, std::string> cases[] = {
      {"LAB", std::nullopt, "WinNT://LAB", true, ""},
      {"NOWHERE", "  ", "WinNT://NOWHERE", false, kBrowseMessage}, // a blank computer is none
      {"LAB", " GHOST ", "WinNT://LAB/ GHOST ", false, kGhostMessage}};
  for (const auto &[wg, cn, path, reachable, message] : cases) {
    FakeNetwork net;
    net.computer("LAB", "SRV1");
    Tools tools(net.platform);
    EXPECT_EQ(tools.tryConnection(wg, cn), reachable) << path;
    EXPECT_EQ(net.directory->binds, std::vector<std::string>{path});
    EXPECT_EQ(tools.message(), message) << path;
  }
}

TEST(ToolsLocalService, ReadsTheHostsServicesByItsOwnNamesAndStacksFailures) {
  FakeNetwork net;
  net.service("LAB", "ADMINHOST", {"lanmanworkstation", "Workstation", 1});
  Tools tools(net.platform);
  EXPECT_EQ(tools.singleServerMode(), "LAB,ADMINHOST");
  EXPECT_EQ(net.directory->binds[0], "WinNT://LAB/ADMINHOST/lanmanworkstation,Service");
  EXPECT_EQ(test::raisedBy([&] { tools.serviceIsRunning("Spooler"); }),
            test::Raised(fake::kAdsBadPath, "Error getting running status for theSpooler service: Error with "
                                            "getService: An invalid directory pathname was passed"));
  net.system->computer.reset();
  EXPECT_EQ(failureOf([&] { tools.singleServerMode(); }).description(),
            "Error getting singleServerMode status: Invalid procedure call or argument");
}

TEST(ToolsReboot, LocalNameBecomesLoopbackAndTheShellsCodeIsReturned) {
  const std::tuple<const char *, const char *, LaunchResult, int32_t> cases[] = {
      {"  AdminHost ", "127.0.0.1", LaunchResult::started, 42},
      {"fe80::1", "fe80::1", LaunchResult::started, 42},
      {"web_01", "web_01", LaunchResult::programNotFound, 2},
      {"a-Z.9z_A0", "a-Z.9z_A0", LaunchResult::started, 42},
      {"S", "S", LaunchResult::folderNotFound, 3},
      {"S", "S", LaunchResult::accessDenied, 5},
      {"S", "S", LaunchResult::outOfResources, 8},
      {"S", "S", LaunchResult::notAProgram, 11},
      {"S", "S", LaunchResult::failed, 31}};
  for (const auto &[name, target, result, code] : cases) {
    FakeNetwork net;
    net.system->launchResult = result;
    std::string cname = name;
    EXPECT_EQ(Tools(net.platform).rebootComputer(cname), code) << name;
    EXPECT_EQ(cname, target);
    EXPECT_EQ(net.system->launches, (std::vector<std::pair<std::string, std::string>>{
                                        {"shutdown.exe", std::string("-f -r -t 1 -m \\\\") + target}}));
  }
}

// The shell's own code reaches the script unchanged unless narrowing to 32
// bits hides a start.
TEST(ToolsReboot, TheShellsOwnCodeReachesTheScriptUnchangedUnlessNarrowingHidesAStart) {
  for (int64_t same : {0, 2, 3, 5, 8, 11, 26, 27, 28, 29, 30, 31, 32, 33, 42, 0x7FFFFFFF, -1})
    EXPECT_EQ(rebootCode(Launch(same > 32 ? LaunchResult::started : LaunchResult::failed, same)), same);
  const std::pair<int64_t, int32_t> narrowed[] = {
      {0x100000021, 33}, {0x100000020, 42}, {0x100000000, 42}, {0x80000000, 42}, {INT64_MIN, INT32_MIN}};
  for (const auto &[shell, code] : narrowed)
    EXPECT_EQ(rebootCode(Launch(shell > 32 ? LaunchResult::started : LaunchResult::failed, shell)), code)
        << shell;
}

TEST(ToolsReboot, NamesThatWouldChangeTheCommandLaunchNothing) {
  std::vector<std::string> names{"", "   ", "-a", "\\\\srv"};
  for (const char *c : {"&", "|",  "^", "<", ">", "%",  "\"", "'",  " ",        ",", ";", "(", ")",
                        "/", "\\", "!", "=", "*", "\t", "\n", "\r", "\xC3\xA9", "@", "[", "`", "{"})
    names.push_back(std::string("srv") + c + "02");
  for (const std::string &name : names) {
    FakeNetwork net;
    std::string cname = name;
    EXPECT_EQ(test::raisedBy([&] { Tools(net.platform).rebootComputer(cname); }),
              test::Raised(kInvalidCall, "rebootComputer: invalid computer name"))
        << name;
    EXPECT_EQ(cname, name);
    EXPECT_TRUE(net.system->launches.empty()) << name;
  }
}

// The conversions themselves are the core's (tested there); these are what
// Util adds: Null as false, the parts returned unchanged, the format range,
// the caller's text trimmed.
TEST(Util, IifTakesNullAsFalseFormatsTakeTheNamedOnesAndDateTextsAreTrimmed) {
  Util util(Platform{nullptr, nullptr, nullptr, PortableRegional::english()});
  const Variant no(VariantArray{1, {Variant(int16_t{4})}});
  EXPECT_EQ(util.iif(Variant::null(), Variant("yes"), no), no);
  EXPECT_EQ(util.iif(Variant(true), Variant("yes"), no), Variant("yes"));
  for (int32_t format : {-1, 5})
    EXPECT_EQ(failureOf([&] { util.formatDateTime(Date{0}, format); }).number(), kInvalidCall) << format;
  for (int32_t format : {kGeneralDate, kShortTime})
    EXPECT_EQ(util.formatDateTime(Date{0.75}, format),
              Variant(PortableRegional::english()->formatDate(Date{0.75}, format)));
  std::string text = " 20050301******.******+*** "; // the date-only rule of the listings does not apply here
  EXPECT_EQ(failureOf([&] { util.translateStringDate(text); }).description(),
            "Error translating string to date: Type mismatch");
  EXPECT_EQ(text, "20050301******.******+***");
}

} // namespace
} // namespace qv
