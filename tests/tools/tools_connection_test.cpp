#include <gtest/gtest.h>

#include <tuple>

#include "tests/services/fake_network.hpp"
#include "tools/tools.hpp"

namespace qv {
namespace {

using test::FakeNetwork;

const char *const kBrowseMessage =
    "Could not browse the selected workgroup or domain. Please make sure that Kelvara "
    "have the userrights needed to browse the computer network";

TEST(ToolsConnection, OpensWorkgroupOrComputerPathAndExplainsFailures) {
  // Workgroup, computer, the path bound, whether it was reached, the message.
  const std::tuple<const char *, std::optional<std::string>, const char *, bool, std::string> cases[] = {
      {"LAB", std::nullopt, "WinNT://LAB", true, ""},
      {"LAB", "SRV1", "WinNT://LAB/SRV1", true, ""},
      {"LAB", "  ", "WinNT://LAB", true, ""},
      {"NOWHERE", std::nullopt, "WinNT://NOWHERE", false, kBrowseMessage},
      {"NOWHERE", " ", "WinNT://NOWHERE", false, kBrowseMessage},
      {"LAB", " GHOST ", "WinNT://LAB/ GHOST ", false,
       "Could not connect to  GHOST . This means either that it's a \"ghost\" on the network, or that "
       "Kelvara "
       "does not have the correct credetials to access it."},
  };
  for (const auto &[wg, cn, path, reachable, message] : cases) {
    FakeNetwork net;
    net.computer("LAB", "SRV1");
    Tools tools(net.platform);
    EXPECT_EQ(tools.tryConnection(wg, cn), reachable) << path;
    EXPECT_EQ(net.directory->binds, std::vector<std::string>{path});
    EXPECT_EQ(tools.message(), message) << path;
  }
}

TEST(ToolsConnection, MessageOutlivesALaterSuccess) {
  FakeNetwork net;
  net.computer("LAB", "SRV1");
  Tools tools(net.platform);
  EXPECT_EQ(tools.message(), "");
  EXPECT_FALSE(tools.tryConnection("NOWHERE"));
  EXPECT_TRUE(tools.tryConnection("LAB", std::string("SRV1")));
  EXPECT_EQ(tools.message(), kBrowseMessage);
}

} // namespace
} // namespace qv
