#include "inventory/drive_info.hpp"
#include "inventory/drive_sizes.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

// The unit is chosen on the chained two-decimal figures, not on the exact
// quotients: 102,395 bytes are 99.995 Kb, which rounds to 100.00.
TEST(DriveSizes, SizeTextInBothRegionalStyles) {
  struct Case {
    double bytes;
    const char *english;
    const char *european;
  } cases[] = {
      {0, "0b", "0b"},
      {102394, "102394b", "102394b"},
      {102395, "100.00 Kb", "100,00 Kb"},
      {1030000, "1,005.86 Kb", "1.005,86 Kb"},
      {1048064, "1.00 Mb", "1,00 Mb"},
      {250000000, "238.42 Mb", "238,42 Mb"},
      {1073741824, "1.00 Gb", "1,00 Gb"},
      {1099511627776.0, "1.00 Tb", "1,00 Tb"},
      {1688849860263936.0, "1,536.00 Tb", "1.536,00 Tb"},
  };
  auto english = englishStyle();
  auto european = europeanStyle();
  for (const auto &c : cases) {
    EXPECT_EQ(inventory::sizeText(c.bytes, *english), c.english) << c.bytes;
    EXPECT_EQ(inventory::sizeText(c.bytes, *european), c.european) << c.bytes;
  }
  EXPECT_EQ(inventory::usedPercentText(1000, 453, *english), Variant("54.7"));
  EXPECT_EQ(inventory::usedPercentText(1000, 453, *european), Variant("54,7"));
  EXPECT_EQ(failureOf([&] { inventory::usedPercentText(0, 0, *english); }).number(), kDivisionByZero);
}

fake::WmiObjectPtr disk(Variant mediaType, const char *letter, Variant size = "250000000",
                        Variant free = "500") {
  return wmi({{"MediaType", mediaType},
              {"Caption", letter},
              {"Size", size},
              {"FreeSpace", free},
              {"FileSystem", "NTFS"},
              {"VolumeName", "System"}});
}

TEST(LogicalDrives, OnlyFixedDisksAreListedUnderGaplessPositionKeys) {
  InventoryLab lab;
  lab.add("Win32_LogicalDisk", disk(5, "A:", Variant::null(), Variant::null()));
  lab.add("Win32_LogicalDisk", disk(12, "C:"));
  lab.add("Win32_LogicalDisk", disk(Variant::null(), "E:"));
  lab.add("Win32_LogicalDisk", disk(12, "D:", "1073741824", "1073741824"));
  auto result = lab.info.logicalDriveInfo("SRV1");
  ASSERT_EQ(keysOf(*result), (Keys{"1", "2"}));
  auto c = asCollection((*result)["1"]);
  EXPECT_EQ(keysOf(*c), (Keys{"DiskSize", "diskSizeInBytes", "PercentUsed", "FreeSpaceInBytes", "FreeSpace",
                              "DriveLetter", "FileSystem", "VolumeName"}));
  EXPECT_EQ((*c)["DiskSize"], Variant("238.42 Mb"));
  EXPECT_EQ((*c)["diskSizeInBytes"], Variant("250000000")) << "the service's own text, not a number";
  EXPECT_EQ((*c)["PercentUsed"], Variant("100.0"));
  EXPECT_EQ((*c)["FreeSpaceInBytes"], Variant("500"));
  EXPECT_EQ((*c)["FreeSpace"], Variant("500b"));
  EXPECT_EQ((*c)["DriveLetter"], Variant("C:"));
  auto d = asCollection((*result)["2"]);
  EXPECT_EQ((*d)["DriveLetter"], Variant("D:"));
  EXPECT_EQ((*d)["PercentUsed"], Variant("0.0"));

  InventoryLab noFixedDisk;
  noFixedDisk.add("Win32_LogicalDisk", disk(11, "E:"));
  EXPECT_EQ(noFixedDisk.info.logicalDriveInfo("SRV1")->count(), 0);
}

// A locked or unformatted volume must not hide every other drive.
TEST(LogicalDrives, LockedOrUnformattedDriveIsListedWithoutAFillLevel) {
  InventoryLab lab(europeanStyle());
  lab.add("Win32_LogicalDisk", disk(12, "C:", Variant::null(), Variant::null()))
      ->set("FileSystem", Variant::null())
      .set("VolumeName", Variant::null());
  lab.add("Win32_LogicalDisk", disk(12, "D:", "0", "0"));
  lab.add("Win32_LogicalDisk", disk(12, "E:", "1048064", Variant::null()));
  lab.add("Win32_LogicalDisk", disk(12, "F:", "1030000", "453000"));
  auto result = lab.info.logicalDriveInfo("SRV1");
  ASSERT_EQ(result->count(), 4);
  auto c = asCollection((*result)["1"]);
  EXPECT_TRUE((*c)["diskSizeInBytes"].isNull());
  EXPECT_TRUE((*c)["FreeSpaceInBytes"].isNull());
  EXPECT_EQ((*c)["FileSystem"], Variant(""));
  struct Expected {
    const char *key;
    const char *diskSize;
    const char *freeSpace;
    const char *percentUsed;
  } expected[] = {{"1", "0b", "0b", ""},
                  {"2", "0b", "0b", ""},
                  {"3", "1,00 Mb", "0b", ""},
                  {"4", "1.005,86 Kb", "442,38 Kb", "56,0"}};
  for (const auto &e : expected) {
    auto drive = asCollection((*result)[e.key]);
    EXPECT_EQ((*drive)["DiskSize"], Variant(e.diskSize)) << e.key;
    EXPECT_EQ((*drive)["FreeSpace"], Variant(e.freeSpace)) << e.key;
    EXPECT_EQ((*drive)["PercentUsed"], Variant(e.percentUsed)) << e.key;
  }
}

// Outside a locked or unformatted volume, a Null text field is unreadable
// like any other value and fails the listing with the method's message.
TEST(LogicalDrives, NullTextOnAMeasurableDriveFailsTheListing) {
  for (const char *field : {"Caption", "FileSystem", "VolumeName"}) {
    InventoryLab lab;
    lab.add("Win32_LogicalDisk", disk(12, "C:"))->set(field, Variant::null());
    AutomationError error = failureOf([&] { lab.info.logicalDriveInfo("SRV1"); });
    EXPECT_EQ(error.number(), kInvalidUseOfNull) << field;
    EXPECT_EQ(error.description(), "Error retreiving LogicalDriveInfo for SRV1: Invalid use of Null")
        << field;
  }
}

} // namespace
} // namespace qv::test
