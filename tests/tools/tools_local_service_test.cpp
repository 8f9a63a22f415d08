#include <gtest/gtest.h>

#include <tuple>

#include "tests/services/fake_network.hpp"
#include "tools/tools.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::FakeNetwork;

TEST(ToolsLocalService, ReadsTheHostsServicesByItsOwnNames) {
  const std::tuple<int32_t, const char *, bool> cases[] = {
      {4, "", true}, {1, "LAB,ADMINHOST", false}, {7, "LAB,ADMINHOST", false}};
  for (const auto &[status, singleServer, running] : cases) {
    FakeNetwork net;
    net.service("LAB", "ADMINHOST", {"lanmanworkstation", "Workstation", status});
    net.service("LAB", "ADMINHOST", {"Spooler", "Print Spooler", status});
    Tools tools(net.platform);
    EXPECT_EQ(tools.singleServerMode(), singleServer) << status;
    EXPECT_EQ(tools.serviceIsRunning("Spooler"), running) << status;
    EXPECT_EQ(net.directory->binds[0], "WinNT://LAB/ADMINHOST/lanmanworkstation,Service");
  }
}

TEST(ToolsLocalService, FailuresStackOnTheInnerReport) {
  FakeNetwork net;
  net.computer("LAB", "ADMINHOST");
  Tools tools(net.platform);
  auto running = failureOf([&] { tools.serviceIsRunning("Spooler"); });
  EXPECT_EQ(running.number(), fake::kAdsBadPath);
  EXPECT_EQ(running.source(), "Active Directory");
  EXPECT_EQ(running.description(),
            "Error getting running status for theSpooler service: Error with getService: "
            "An invalid directory pathname was passed");
  EXPECT_EQ(failureOf([&] { tools.singleServerMode(); }).description(),
            "Error getting singleServerMode status: Error with getService: An invalid directory pathname was "
            "passed");

  net.system->computer.reset();
  auto nameless = failureOf([&] { tools.singleServerMode(); });
  EXPECT_EQ(nameless.number(), kInvalidCall);
  EXPECT_EQ(nameless.description(),
            "Error getting singleServerMode status: Invalid procedure call or argument");
}

} // namespace
} // namespace qv
