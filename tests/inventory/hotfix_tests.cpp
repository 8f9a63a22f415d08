#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

TEST(HotFixes, ElevenFieldsAsDeliveredWithNullKept) {
  InventoryLab lab;
  for (const char *id : {"KB890859", "KB896358"}) {
    lab.add("Win32_QuickFixEngineering", wmi({{"Caption", "http://support.microsoft.com/?kbid=890859"},
                                              {"CSName", "srv1.lab.local"},
                                              {"Description", "Update"},
                                              {"FixComments", ""},
                                              {"HotFixID", id},
                                              {"InstallDate", Variant::null()},
                                              {"InstalledBy", "LAB\\admin"},
                                              {"InstalledOn", "3/1/2005"},
                                              {"Name", Variant::null()},
                                              {"ServicePackInEffect", "SP1"},
                                              {"Status", Variant::null()}}));
  }
  auto result = lab.info.hotFixStatus("SRV1");
  ASSERT_EQ(keysOf(*result), (Keys{"1", "2"}));
  auto fix = asCollection((*result)["1"]);
  EXPECT_EQ(keysOf(*fix), words("Caption Computer Description Comments HotFixID Date InstalledBy InstalledOn "
                                "Name ServicePack Status"));
  EXPECT_EQ((*fix)["Computer"], Variant("srv1.lab.local"));
  EXPECT_TRUE((*fix)["Date"].isNull()) << "a missing install date is not turned into text";
  EXPECT_EQ((*fix)["InstalledOn"], Variant("3/1/2005"));
  EXPECT_EQ((*asCollection((*result)["2"]))["HotFixID"], Variant("KB896358"));

  InventoryLab none;
  none.target->declareClass("Win32_QuickFixEngineering");
  EXPECT_EQ(none.info.hotFixStatus("SRV1")->count(), 0);
}

// Every method reports a platform failure under its own message, keeping the
// platform's number and source; the computer text is used unaltered.
TEST(ServerInfoFailures, EachMethodReportsWithItsOwnMessage) {
  using Method = CollectionPtr (ServerInfo::*)(const std::string &);
  const std::pair<Method, std::string> cases[] = {
      {&ServerInfo::getNicInfo, "Error retreiving NIC info for "},
      {&ServerInfo::logicalDriveInfo, "Error retreiving LogicalDriveInfo for "},
      {&ServerInfo::cpuInfo, "Error retreiving CPU info for "},
      {&ServerInfo::osInfo, "Error retreiving OS info for "},
      {&ServerInfo::hotFixStatus, "Error retreiving hotfix status for "},
      {&ServerInfo::getInfo, "Unable to get computer info fror "},
  };
  // Named copies rather than structured bindings: the lambdas below capture
  // them, which clang before 16 refuses.
  for (const auto &c : cases) {
    const Method method = c.first;
    const std::string &message = c.second;
    InventoryLab lab; // " Srv9 " is not served: the connection fails
    auto error = failureOf([&] { (lab.info.*method)(" Srv9 "); });
    EXPECT_EQ(error.number(), fake::kRpcUnavailable) << message;
    EXPECT_EQ(error.source(), "SWbemServicesEx");
    EXPECT_EQ(error.description(), message + " Srv9 : The RPC server is unavailable. ");
    EXPECT_EQ(lab.management->connects, Keys{"winmgmts:// Srv9 "});

    InventoryLab denied;
    denied.target->failWith(fake::wmiError(static_cast<int32_t>(0x80041003), "Access denied "));
    auto refused = failureOf([&] { (denied.info.*method)("SRV1"); });
    EXPECT_EQ(refused.number(), static_cast<int32_t>(0x80041003));
    EXPECT_EQ(refused.description(), message + "SRV1: Access denied ");
  }
}

} // namespace
} // namespace qv::test
