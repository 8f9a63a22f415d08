#include "inventory/computer_summary.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

fake::WmiObjectPtr computerSystem() {
  return wmi({{"Name", "SRV1"},
              {"Status", "OK"},
              {"SystemType", "X86-based PC"},
              {"TotalPhysicalMemory", "536281088"},
              {"DomainRole", int16_t{3}},
              {"UserName", Variant::null()},
              {"Manufacturer", "Dell Computer Corporation"},
              {"Model", "PowerEdge 2650"},
              {"Domain", "lab.local"},
              {"InstallDate", Variant::null()},
              {"NumberOfProcessors", int32_t{2}}});
}

fake::WmiObjectPtr board() {
  return wmi({{"Product", "0D8266"}, {"Manufacturer", "Dell"}, {"Version", Variant::null()}});
}

fake::WmiObjectPtr bios(Variant releaseDate) {
  return wmi({{"Description", "Phoenix ROM BIOS PLUS Version 1.10 A21"},
              {"ReleaseDate", releaseDate},
              {"Version", "DELL   - 1"},
              {"Manufacturer", "Dell"},
              {"SerialNumber", Variant::null()}});
}

const Keys kBoardAndBiosKeys =
    words("MotherBoardProduct MotherBoardManufacturer MotherBoardVersion "
          "BIOSDescription BIOSReleaseDate BIOSVersion BIOSManufacturer BIOSSerialNumber");

TEST(ComputerSummary, NineteenFieldsMergedFromThreeSources) {
  InventoryLab lab;
  lab.add("Win32_ComputerSystem", computerSystem());
  lab.add("Win32_BaseBoard", board());
  lab.add("Win32_BaseBoard", wmi({})); // only the first board and BIOS are read
  lab.add("Win32_BIOS", bios("20050301000000.000000+060"));
  lab.add("Win32_BIOS", wmi({}));

  auto summary = lab.info.getInfo("SRV1");
  Keys expected = words("ComputerName Status SystemType PhysicalMemory DomainRole ConsoleUser "
                        "ComputerManufacturer ComputerModel Domain SystemInstallDate CPUCount");
  expected.insert(expected.end(), kBoardAndBiosKeys.begin(), kBoardAndBiosKeys.end());
  EXPECT_EQ(keysOf(*summary), expected);
  EXPECT_EQ((*summary)["PhysicalMemory"], Variant("523mb"));
  EXPECT_EQ((*summary)["DomainRole"], Variant("Member Server"));
  EXPECT_TRUE((*summary)["ConsoleUser"].isNull());
  EXPECT_TRUE((*summary)["SystemInstallDate"].isNull()) << "as delivered, not converted";
  EXPECT_EQ((*summary)["CPUCount"], Variant(int32_t{2}));
  EXPECT_EQ((*summary)["MotherBoardProduct"], Variant("0D8266"));
  EXPECT_EQ((*summary)["MotherBoardVersion"], Variant("")) << "Null becomes the empty text";
  EXPECT_EQ((*summary)["BIOSSerialNumber"], Variant(""));
  ASSERT_EQ((*summary)["BIOSReleaseDate"].kind(), VarKind::Date);
  EXPECT_EQ(stamp((*summary)["BIOSReleaseDate"].date()), "2005-02-28 23:00:00");
  EXPECT_EQ(lab.management->connects.size(), 3u) << "each source connects anew";
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_BaseBoard"), 1u);
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_BIOS"), 1u);
}

TEST(ComputerSummary, MissingSourcesLeaveEmptyTexts) {
  for (bool biosWithoutDate : {false, true}) {
    InventoryLab lab;
    lab.target->declareClass("Win32_ComputerSystem")
        .declareClass("Win32_BaseBoard")
        .declareClass("Win32_BIOS");
    if (biosWithoutDate) lab.add("Win32_BIOS", bios(Variant::null()));
    auto summary = lab.info.getInfo("SRV1");
    EXPECT_EQ(keysOf(*summary), kBoardAndBiosKeys) << "no computer-system instance, only the eight fields";
    EXPECT_EQ((*summary)["MotherBoardProduct"], Variant(""));
    EXPECT_EQ((*summary)["BIOSReleaseDate"], Variant(""));
    EXPECT_EQ((*summary)["BIOSVersion"], Variant(biosWithoutDate ? "DELL   - 1" : ""));
  }
}

TEST(ComputerSummary, MemoryAndDomainRoleTexts) {
  auto english = englishStyle();
  const std::pair<Variant, const char *> memory[] = {
      {"536281088", "523mb"}, {Variant::null(), "mb"}, {"1023999", "0mb"}, {"8589934592", "8388mb"}};
  for (const auto &[bytes, text] : memory)
    EXPECT_EQ(inventory::physicalMemoryText(bytes, *english), text);

  const char *roles[] = {"Standalone Workstation", "Member Workstation",       "Standalone Server",
                         "Member Server",          "Backup Domain Controller", "Primary Domain Controller",
                         "Unknown Domain Role"};
  for (int16_t role = 0; role < 7; ++role)
    EXPECT_EQ(inventory::domainRoleText(role), roles[role]);
}

TEST(ComputerSummary, FailuresAreReportedWithTheFrorMessage) {
  const std::string fror = "Unable to get computer info fror SRV1: ";
  struct Case {
    bool secondSystem;
    Variant domainRole;
    Variant releaseDate;
    int32_t number;
    std::string description;
  } cases[] = {
      {true, int16_t{3}, Variant::null(), kDuplicateKey, fror + runtimeErrorText(kDuplicateKey)},
      {false, Variant::null(), Variant::null(), kInvalidUseOfNull, fror + "Invalid use of Null"},
      {false, int16_t{3}, "2005xx01000000.000000+000", kTypeMismatch,
       fror + "Error translating string to date: Type mismatch"},
  };
  for (const auto &c : cases) {
    InventoryLab lab;
    lab.add("Win32_ComputerSystem", computerSystem())->set("DomainRole", c.domainRole);
    if (c.secondSystem) lab.add("Win32_ComputerSystem", computerSystem());
    lab.add("Win32_BaseBoard", board());
    lab.add("Win32_BIOS", bios(c.releaseDate));
    auto error = failureOf([&] { lab.info.getInfo("SRV1"); });
    EXPECT_EQ(error.number(), c.number) << c.description;
    EXPECT_EQ(error.description(), c.description);
  }
}

} // namespace
} // namespace qv::test
