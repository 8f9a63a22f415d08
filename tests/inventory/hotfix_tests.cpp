#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

TEST(HotFixes, NoEntryGivesAnEmptyCollection) {
  InventoryLab lab;
  lab.target->declareClass("Win32_QuickFixEngineering");
  EXPECT_EQ(lab.info.OsHotFixStatus("SRV1")->count(), 0);
}

TEST(HotFixes, ElevenFieldsAsDeliveredWithNullKept) {
  InventoryLab lab;
  auto entry = lab.add("Win32_QuickFixEngineering", std::make_shared<fake::WmiObject>());
  entry->set("Caption", "http://support.microsoft.com/?kbid=890859")
      .set("CSName", "srv1.lab.local")
      .set("Description", "Update")
      .set("FixComments", "")
      .set("HotFixID", "KB890859")
      .set("InstallDate", Variant::null())
      .set("InstalledBy", "LAB\\admin")
      .set("InstalledOn", "3/1/2005")
      .set("Name", Variant::null())
      .set("ServicePackInEffect", "SP1")
      .set("Status", Variant::null());
  lab.add("Win32_QuickFixEngineering", std::make_shared<fake::WmiObject>(*entry))
      ->set("HotFixID", "KB896358");

  auto result = lab.info.OsHotFixStatus("SRV1");
  ASSERT_EQ(keysOf(*result), (std::vector<std::string>{"1", "2"}));
  auto fix = asCollection((*result)["1"]);
  EXPECT_EQ(keysOf(*fix),
            (std::vector<std::string>{"Caption", "Computer", "Description", "Comments", "HotFixID", "Date",
                                      "InstalledBy", "InstalledOn", "Name", "ServicePack", "Status"}));
  EXPECT_EQ((*fix)["Computer"], Variant("srv1.lab.local"));
  EXPECT_TRUE((*fix)["Date"].isNull()) << "a missing install date is not turned into text";
  EXPECT_EQ((*fix)["Comments"], Variant(""));
  EXPECT_EQ((*fix)["InstalledOn"], Variant("3/1/2005"));
  EXPECT_EQ((*fix)["InstalledBy"], Variant("LAB\\admin"));
  EXPECT_EQ(asCollection((*result)["2"])->item("HotFixID"sv), Variant("KB896358"));
}

// Every method reports a platform failure under its own message, keeping the
// platform's number and source; the computer text is used unaltered.
TEST(ServerInfoFailures, EachMethodReportsWithItsOwnMessage) {
  using Method = CollectionPtr (ServerInfo::*)(const std::string &);
  struct Case {
    Method method;
    const char *message;
  } cases[] = {
      {&ServerInfo::getNicInfo, "Error retreiving NIC info for "},
      {&ServerInfo::logicalDriveInfo, "Error retreiving LogicalDriveInfo for "},
      {&ServerInfo::cpuInfo, "Error retreiving CPU info for "},
      {&ServerInfo::osInfo, "Error retreiving OS info for "},
      {&ServerInfo::OsHotFixStatus, "Error retreiving hotfix status for "},
      {&ServerInfo::getInfo, "Unable to get computer info fror "},
  };
  for (const auto &c : cases) {
    InventoryLab lab;
    const std::string computer = " Srv9 "; // not served: the connection fails
    auto error = failureOf([&] { (lab.info.*c.method)(computer); });
    EXPECT_EQ(error.number(), fake::kRpcUnavailable) << c.message;
    EXPECT_EQ(error.source(), "SWbemServicesEx");
    EXPECT_EQ(error.description(), std::string(c.message) + " Srv9 : The RPC server is unavailable. ");
    EXPECT_EQ(lab.management->connects, std::vector<std::string>{"winmgmts:// Srv9 "});

    InventoryLab denied;
    denied.target->failWith(fake::wmiError(static_cast<int32_t>(0x80041003), "Access denied "));
    auto refused = failureOf([&] { (denied.info.*c.method)("SRV1"); });
    EXPECT_EQ(refused.number(), static_cast<int32_t>(0x80041003));
    EXPECT_EQ(refused.description(), std::string(c.message) + "SRV1: Access denied ");
  }
}

} // namespace
} // namespace qv::test
