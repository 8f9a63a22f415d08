#include "inventory/computer_summary.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

fake::WmiObjectPtr computerSystem() {
  auto cs = std::make_shared<fake::WmiObject>();
  cs->set("Name", "SRV1")
      .set("Status", "OK")
      .set("SystemType", "X86-based PC")
      .set("TotalPhysicalMemory", "536281088")
      .set("DomainRole", int16_t{3})
      .set("UserName", Variant::null())
      .set("Manufacturer", "Dell Computer Corporation")
      .set("Model", "PowerEdge 2650")
      .set("Domain", "lab.local")
      .set("InstallDate", Variant::null())
      .set("NumberOfProcessors", int32_t{2});
  return cs;
}

fake::WmiObjectPtr board() {
  auto mb = std::make_shared<fake::WmiObject>();
  mb->set("Product", "0D8266")
      .set("Manufacturer", "Dell Computer Corporation")
      .set("Version", Variant::null());
  return mb;
}

fake::WmiObjectPtr bios(Variant releaseDate) {
  auto b = std::make_shared<fake::WmiObject>();
  b->set("Description", "Phoenix ROM BIOS PLUS Version 1.10 A21")
      .set("ReleaseDate", std::move(releaseDate))
      .set("Version", "DELL   - 1")
      .set("Manufacturer", "Dell Computer Corporation")
      .set("SerialNumber", Variant::null());
  return b;
}

const std::vector<std::string> kBoardAndBiosKeys{"MotherBoardProduct", "MotherBoardManufacturer",
                                                 "MotherBoardVersion", "BIOSDescription",
                                                 "BIOSReleaseDate",    "BIOSVersion",
                                                 "BIOSManufacturer",   "BIOSSerialNumber"};

TEST(ComputerSummary, NineteenFieldsMergedFromThreeSources) {
  InventoryLab lab;
  lab.add("Win32_ComputerSystem", computerSystem());
  lab.add("Win32_BaseBoard", board());
  lab.add("Win32_BIOS", bios("20050301000000.000000+060"));

  auto summary = lab.info.getInfo("SRV1");
  std::vector<std::string> expected{
      "ComputerName",         "Status",        "SystemType", "PhysicalMemory",    "DomainRole", "ConsoleUser",
      "ComputerManufacturer", "ComputerModel", "Domain",     "SystemInstallDate", "CPUCount"};
  expected.insert(expected.end(), kBoardAndBiosKeys.begin(), kBoardAndBiosKeys.end());
  EXPECT_EQ(keysOf(*summary), expected);

  EXPECT_EQ((*summary)["PhysicalMemory"], Variant("523mb"));
  EXPECT_EQ((*summary)["DomainRole"], Variant("Member Server"));
  EXPECT_TRUE((*summary)["ConsoleUser"].isNull());
  EXPECT_TRUE((*summary)["SystemInstallDate"].isNull());
  EXPECT_EQ((*summary)["CPUCount"], Variant(int32_t{2}));
  EXPECT_EQ((*summary)["MotherBoardProduct"], Variant("0D8266"));
  EXPECT_EQ((*summary)["MotherBoardVersion"], Variant("")) << "Null becomes the empty text";
  EXPECT_EQ((*summary)["BIOSSerialNumber"], Variant(""));
  EXPECT_EQ((*summary)["BIOSVersion"], Variant("DELL   - 1"));
  ASSERT_EQ((*summary)["BIOSReleaseDate"].kind(), VarKind::Date);
  EXPECT_EQ(stamp((*summary)["BIOSReleaseDate"].date()), "2005-02-28 23:00:00");
  EXPECT_EQ(lab.management->connects.size(), 3u) << "each source connects anew";
}

TEST(ComputerSummary, MissingSourcesLeaveEmptyTexts) {
  InventoryLab lab;
  lab.target->declareClass("Win32_ComputerSystem");
  lab.target->declareClass("Win32_BaseBoard");
  lab.target->declareClass("Win32_BIOS");
  auto summary = lab.info.getInfo("SRV1");
  EXPECT_EQ(keysOf(*summary), kBoardAndBiosKeys) << "no computer-system instance, only the eight fields";
  for (const auto &key : kBoardAndBiosKeys)
    EXPECT_EQ((*summary)[key], Variant("")) << key;
}

TEST(ComputerSummary, BiosWithoutReleaseDateGivesEmptyText) {
  InventoryLab lab;
  lab.add("Win32_ComputerSystem", computerSystem());
  lab.add("Win32_BaseBoard", board());
  lab.add("Win32_BIOS", bios(Variant::null()));
  EXPECT_EQ(lab.info.getInfo("SRV1")->item("BIOSReleaseDate"sv), Variant(""));
}

TEST(ComputerSummary, OnlyTheFirstBoardAndBiosAreRead) {
  InventoryLab lab;
  lab.add("Win32_ComputerSystem", computerSystem());
  lab.add("Win32_BaseBoard", board());
  lab.add("Win32_BaseBoard", std::make_shared<fake::WmiObject>());
  lab.add("Win32_BIOS", bios("20040101******.******+***"));
  lab.add("Win32_BIOS", std::make_shared<fake::WmiObject>());
  auto summary = lab.info.getInfo("SRV1");
  EXPECT_EQ(stamp((*summary)["BIOSReleaseDate"].date()), "2004-01-01 00:00:00");
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_BaseBoard"), 1u);
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_BIOS"), 1u);
}

TEST(ComputerSummary, PhysicalMemoryInUnitsOf1024000Bytes) {
  auto english = englishStyle();
  struct Case {
    Variant bytes;
    const char *text;
  } cases[] = {
      {"536281088", "523mb"},    {Variant::null(), "mb"},  {"1023999", "0mb"},
      {"1024000", "1mb"},        {"8589934592", "8388mb"}, // beyond a 32-bit count
      {int32_t{2048000}, "2mb"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(inventory::physicalMemoryText(c.bytes, *english), c.text) << c.text;
}

TEST(ComputerSummary, DomainRoleTexts) {
  const char *texts[] = {"Standalone Workstation", "Member Workstation",       "Standalone Server",
                         "Member Server",          "Backup Domain Controller", "Primary Domain Controller"};
  for (int16_t role = 0; role < 6; ++role)
    EXPECT_EQ(inventory::domainRoleText(role), texts[role]);
  EXPECT_EQ(inventory::domainRoleText(7), "Unknown Domain Role");
  EXPECT_EQ(inventory::domainRoleText(-1), "Unknown Domain Role");

  InventoryLab lab;
  lab.add("Win32_ComputerSystem", computerSystem())->set("DomainRole", int16_t{7});
  lab.target->declareClass("Win32_BaseBoard").declareClass("Win32_BIOS");
  EXPECT_EQ(lab.info.getInfo("SRV1")->item("DomainRole"sv), Variant("Unknown Domain Role"));
}

TEST(ComputerSummary, FailuresAreReportedWithTheFrorMessage) {
  struct Case {
    const char *what;
    fake::WmiObjectPtr secondSystem;
    Variant domainRole;
    Variant releaseDate;
    int32_t number;
    std::string description;
  } cases[] = {
      {"second computer-system instance", computerSystem(), int16_t{3}, Variant::null(), kDuplicateKey,
       std::string("Unable to get computer info fror SRV1: ") + runtimeErrorText(kDuplicateKey)},
      {"Null domain role", nullptr, Variant::null(), Variant::null(), kInvalidUseOfNull,
       "Unable to get computer info fror SRV1: Invalid use of Null"},
      {"release date that does not convert", nullptr, int16_t{3}, "2005xx01000000.000000+000", kTypeMismatch,
       "Unable to get computer info fror SRV1: Error translating string to date: Type mismatch"},
  };
  for (const auto &c : cases) {
    InventoryLab lab;
    lab.add("Win32_ComputerSystem", computerSystem())->set("DomainRole", c.domainRole);
    if (c.secondSystem) lab.add("Win32_ComputerSystem", c.secondSystem);
    lab.add("Win32_BaseBoard", board());
    lab.add("Win32_BIOS", bios(c.releaseDate));
    auto error = failureOf([&] { lab.info.getInfo("SRV1"); });
    EXPECT_EQ(error.number(), c.number) << c.what;
    EXPECT_EQ(error.description(), c.description) << c.what;
  }
}

} // namespace
} // namespace qv::test
