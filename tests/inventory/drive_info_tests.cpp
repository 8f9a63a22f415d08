#include "inventory/drive_info.hpp"
#include "inventory/drive_sizes.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

struct SizeCase {
  double bytes;
  const char *english;
  const char *european;
};

// The unit is chosen on the chained two-decimal figures, not on the exact
// quotients: 102,395 bytes are 99.995 Kb, which rounds to 100.00.
const SizeCase kSizes[] = {
    {0, "0b", "0b"},
    {500, "500b", "500b"},
    {102394, "102394b", "102394b"},
    {102395, "100.00 Kb", "100,00 Kb"},
    {1030000, "1,005.86 Kb", "1.005,86 Kb"},
    {1048064, "1.00 Mb", "1,00 Mb"},
    {250000000, "238.42 Mb", "238,42 Mb"},
    {1073741824, "1.00 Gb", "1,00 Gb"},
    {1099511627776.0, "1.00 Tb", "1,00 Tb"},
    {1649267441664.0 * 1024, "1,536.00 Tb", "1.536,00 Tb"},
};

TEST(DriveSizes, SizeTextInBothRegionalStyles) {
  auto english = englishStyle();
  auto european = europeanStyle();
  for (const auto &c : kSizes) {
    EXPECT_EQ(inventory::sizeText(c.bytes, *english), c.english) << c.bytes;
    EXPECT_EQ(inventory::sizeText(c.bytes, *european), c.european) << c.bytes;
  }
}

TEST(DriveSizes, UsedPercentHasOneDecimal) {
  auto english = englishStyle();
  EXPECT_EQ(inventory::usedPercentText(1000, 1000, *english), Variant("0.0"));
  EXPECT_EQ(inventory::usedPercentText(1000, 453, *english), Variant("54.7"));
  EXPECT_EQ(inventory::usedPercentText(1000, 0, *english), Variant("100.0"));
  EXPECT_EQ(inventory::usedPercentText(1000, 453, *europeanStyle()), Variant("54,7"));
  EXPECT_EQ(failureOf([&] { inventory::usedPercentText(0, 0, *english); }).number(), kDivisionByZero);
}

fake::WmiObjectPtr disk(Variant mediaType, const char *letter, Variant size = "250000000",
                        Variant freeSpace = "500") {
  auto drive = std::make_shared<fake::WmiObject>();
  drive->set("MediaType", std::move(mediaType))
      .set("Caption", letter)
      .set("Size", std::move(size))
      .set("FreeSpace", std::move(freeSpace))
      .set("FileSystem", "NTFS")
      .set("VolumeName", "System");
  return drive;
}

TEST(LogicalDrives, OnlyFixedDisksAreListedUnderGaplessPositionKeys) {
  InventoryLab lab;
  lab.add("Win32_LogicalDisk", disk(5, "A:", Variant::null(), Variant::null()));
  lab.add("Win32_LogicalDisk", disk(12, "C:"));
  lab.add("Win32_LogicalDisk", disk(Variant::null(), "E:"));
  lab.add("Win32_LogicalDisk", disk(12, "D:"));
  auto result = lab.info.logicalDriveInfo("SRV1");
  ASSERT_EQ(result->count(), 2);
  EXPECT_EQ(keysOf(*result), (std::vector<std::string>{"1", "2"}));
  EXPECT_EQ(asCollection((*result)["1"])->item("DriveLetter"sv), Variant("C:"));
  EXPECT_EQ(asCollection((*result)["2"])->item("DriveLetter"sv), Variant("D:"));
}

TEST(LogicalDrives, OnlyRemovableOpticalOrNetworkDrivesGiveAnEmptyCollection) {
  InventoryLab lab;
  lab.target->declareClass("Win32_LogicalDisk");
  lab.add("Win32_LogicalDisk", disk(11, "E:"));
  lab.add("Win32_LogicalDisk", disk(Variant::null(), "Z:"));
  EXPECT_EQ(lab.info.logicalDriveInfo("SRV1")->count(), 0);
}

TEST(LogicalDrives, RecordKeepsByteCountsAsDeliveredBesideTheirTexts) {
  InventoryLab lab;
  lab.add("Win32_LogicalDisk", disk(12, "C:", "250000000", "500"));
  auto drive = asCollection(lab.info.logicalDriveInfo("SRV1")->item("1"sv));
  EXPECT_EQ(keysOf(*drive),
            (std::vector<std::string>{"DiskSize", "diskSizeInBytes", "PercentUsed", "FreeSpaceInBytes",
                                      "FreeSpace", "DriveLetter", "FileSystem", "VolumeName"}));
  EXPECT_EQ((*drive)["DiskSize"], Variant("238.42 Mb"));
  EXPECT_EQ((*drive)["diskSizeInBytes"], Variant("250000000")) << "the service's own text, not a number";
  EXPECT_EQ((*drive)["PercentUsed"], Variant("100.0"));
  EXPECT_EQ((*drive)["FreeSpaceInBytes"], Variant("500"));
  EXPECT_EQ((*drive)["FreeSpace"], Variant("500b"));
  EXPECT_EQ((*drive)["FileSystem"], Variant("NTFS"));
  EXPECT_EQ((*drive)["VolumeName"], Variant("System"));
}

TEST(LogicalDrives, EqualSizeAndFreeSpaceIsZeroPercentUsed) {
  InventoryLab lab;
  lab.add("Win32_LogicalDisk", disk(12, "C:", "1073741824", "1073741824"));
  auto drive = asCollection(lab.info.logicalDriveInfo("SRV1")->item("1"sv));
  EXPECT_EQ((*drive)["PercentUsed"], Variant("0.0"));
  EXPECT_EQ((*drive)["DiskSize"], Variant("1.00 Gb"));
}

// A locked or unformatted volume must not hide every other drive.
TEST(LogicalDrives, LockedOrUnformattedDriveIsListedWithoutAFillLevel) {
  InventoryLab lab;
  auto locked = lab.add("Win32_LogicalDisk", disk(12, "C:", Variant::null(), Variant::null()));
  locked->set("FileSystem", Variant::null()).set("VolumeName", Variant::null());
  lab.add("Win32_LogicalDisk", disk(12, "D:", "0", "0"));
  lab.add("Win32_LogicalDisk", disk(12, "E:", "1048064", Variant::null()));
  lab.add("Win32_LogicalDisk", disk(12, "F:"));

  auto result = lab.info.logicalDriveInfo("SRV1");
  ASSERT_EQ(result->count(), 4);
  auto c = asCollection((*result)["1"]);
  EXPECT_TRUE((*c)["diskSizeInBytes"].isNull());
  EXPECT_TRUE((*c)["FreeSpaceInBytes"].isNull());
  EXPECT_EQ((*c)["DiskSize"], Variant("0b"));
  EXPECT_EQ((*c)["FreeSpace"], Variant("0b"));
  EXPECT_EQ((*c)["PercentUsed"], Variant(""));
  EXPECT_EQ((*c)["FileSystem"], Variant(""));

  auto d = asCollection((*result)["2"]);
  EXPECT_EQ((*d)["diskSizeInBytes"], Variant("0"));
  EXPECT_EQ((*d)["PercentUsed"], Variant(""));

  auto e = asCollection((*result)["3"]);
  EXPECT_EQ((*e)["DiskSize"], Variant("1.00 Mb"));
  EXPECT_EQ((*e)["FreeSpace"], Variant("0b"));
  EXPECT_EQ((*e)["PercentUsed"], Variant(""));

  EXPECT_EQ(asCollection((*result)["4"])->item("PercentUsed"sv), Variant("100.0"));
}

TEST(LogicalDrives, SizesFollowTheRegionalStyle) {
  InventoryLab lab(europeanStyle());
  lab.add("Win32_LogicalDisk", disk(12, "C:", "1030000", "453000"));
  auto drive = asCollection(lab.info.logicalDriveInfo("SRV1")->item("1"sv));
  EXPECT_EQ((*drive)["DiskSize"], Variant("1.005,86 Kb"));
  EXPECT_EQ((*drive)["FreeSpace"], Variant("442,38 Kb"));
  EXPECT_EQ((*drive)["PercentUsed"], Variant("56,0"));
}

TEST(LogicalDrives, UnreadableSizeFailsWithItsMessage) {
  InventoryLab lab;
  lab.add("Win32_LogicalDisk", disk(12, "C:"));
  lab.add("Win32_LogicalDisk", disk(12, "D:", "lots"));
  auto error = failureOf([&] { lab.info.logicalDriveInfo("SRV1"); });
  EXPECT_EQ(error.number(), kTypeMismatch);
  EXPECT_EQ(error.description(), "Error retreiving LogicalDriveInfo for SRV1: Type mismatch");
}

} // namespace
} // namespace qv::test
