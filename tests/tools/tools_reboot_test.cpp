#include <gtest/gtest.h>

#include <tuple>

#include "tests/services/fake_network.hpp"
#include "tools/tools.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::FakeNetwork;

TEST(ToolsReboot, LocalNameBecomesLoopbackOtherNamesPassUnchanged) {
  const std::pair<const char *, const char *> cases[] = {
      {"ADMINHOST", "127.0.0.1"}, {"  AdminHost ", "127.0.0.1"},
      {"SRV-02", "SRV-02"},       {"srv02.lab.local", "srv02.lab.local"},
      {"fe80::1", "fe80::1"},     {"web_01", "web_01"},
  };
  for (const auto &[name, target] : cases) {
    FakeNetwork net;
    Tools tools(net.platform);
    std::string cname = name;
    EXPECT_EQ(tools.rebootComputer(cname), 42);
    EXPECT_EQ(cname, target);
    ASSERT_EQ(net.system->launches.size(), 1u);
    EXPECT_EQ(net.system->launches[0].first, "shutdown.exe");
    EXPECT_EQ(net.system->launches[0].second, std::string("-f -r -t 1 -m \\\\") + target);
  }
}

TEST(ToolsReboot, ReturnsTheShellsCodeForHowTheLaunchEnded) {
  const std::pair<LaunchResult, int32_t> cases[] = {
      {LaunchResult::started, 42},     {LaunchResult::programNotFound, 2}, {LaunchResult::folderNotFound, 3},
      {LaunchResult::accessDenied, 5}, {LaunchResult::outOfResources, 8},  {LaunchResult::notAProgram, 11},
      {LaunchResult::failed, 31},
  };
  for (auto [result, code] : cases) {
    FakeNetwork net;
    net.system->launchResult = result;
    std::string cname = "SRV";
    EXPECT_EQ(Tools(net.platform).rebootComputer(cname), code);
  }
}

TEST(ToolsReboot, NamesThatWouldChangeTheCommandLaunchNothing) {
  std::vector<std::string> names{"", "   ", "-a", "-s", "\\\\srv"};
  for (const char *c : {"&", "|", "^", "<",  ">", "%", "\"", "'",  " ",  ",",  ";",
                        "(", ")", "/", "\\", "!", "=", "*",  "\t", "\n", "\r", "\xC3\xA9"})
    names.push_back(std::string("srv") + c + "02");
  for (const std::string &name : names) {
    FakeNetwork net;
    Tools tools(net.platform);
    std::string cname = name;
    auto error = failureOf([&] { tools.rebootComputer(cname); });
    EXPECT_EQ(error.number(), kInvalidCall) << name;
    EXPECT_EQ(error.description(), "rebootComputer: invalid computer name");
    EXPECT_EQ(cname, name);
    EXPECT_TRUE(net.system->launches.empty()) << name;
  }
}

TEST(ToolsBootTool, LooksForShutdownUnderWindir) {
  // The windir variable, the file there, whether it is found.
  const std::tuple<std::optional<std::string>, const char *, bool> cases[] = {
      {"C:\\Windows", "C:\\Windows\\system32\\shutdown.exe", true},
      {"C:\\Windows", "C:\\WINNT\\system32\\shutdown.exe", false},
      {std::nullopt, "\\system32\\shutdown.exe", true},
  };
  for (const auto &[windir, file, found] : cases) {
    FakeNetwork net;
    if (windir) net.system->variables["windir"] = *windir;
    net.system->files[file] = true;
    EXPECT_EQ(Tools(net.platform).gotBootTool(), found) << file;
  }
}

} // namespace
} // namespace qv
