// ServerInfo against a target computer "SRV1" served by the management fake.
// Records are compared as lists of value texts; instances made by named()
// hold their own property names, so a field read from the wrong property
// shows at once.

#include "inventory/computer_summary.hpp"
#include "inventory/drive_sizes.hpp"
#include "inventory/nic_info.hpp"
#include "inventory/server_info.hpp"

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "core/wmi_date_text.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {
namespace {

using Keys = std::vector<std::string>;
const Variant kNull = Variant::null();

fake::WmiObjectPtr named(std::string_view properties) {
  auto instance = std::make_shared<fake::WmiObject>();
  for (const std::string &property : words(properties))
    instance->set(property, Variant(property));
  return instance;
}

struct InventoryLab {
  explicit InventoryLab(std::shared_ptr<const Regional> regional = PortableRegional::english())
      : platform{management, nullptr, system, std::move(regional)}, info(platform) {}

  fake::WmiObject &add(const std::string &className, const fake::WmiObjectPtr &instance) {
    target->addInstance(className, instance);
    return *instance;
  }

  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  std::shared_ptr<fake::WmiService> target = management->service("winmgmts://SRV1");
  Platform platform;
  ServerInfo info;
};

CollectionPtr asCollection(const Variant &value) {
  auto collection = value.as<Collection>();
  EXPECT_TRUE(collection) << "not a collection";
  return collection ? collection : std::make_shared<Collection>();
}

// The values of a record, or of the record at position in a listing, as
// texts ("(Null)" for Null).
Keys valuesOf(const Collection &listing, std::size_t position = 0) {
  Keys values;
  for (const Variant &value : position == 0 ? listing : *asCollection(listing.at(position)))
    values.push_back(value.isNull() ? "(Null)" : toText(value, *PortableRegional::english()));
  return values;
}

// The first board and BIOS count: the second of each has no fields to read.
TEST(ComputerSummary, SystemNullsKeptBoardAndBiosNullsBlank) {
  InventoryLab lab;
  auto &system = lab.add("Win32_ComputerSystem",
                         named("Name Status SystemType Manufacturer Model Domain NumberOfProcessors"));
  system.set("TotalPhysicalMemory", "536281088").set("DomainRole", int16_t{3});
  system.set("UserName", kNull).set("InstallDate", kNull);
  lab.add("Win32_BaseBoard", named("Product Manufacturer")).set("Version", kNull);
  lab.add("Win32_BaseBoard", named(""));
  auto &bios = lab.add("Win32_BIOS", named("Description Version Manufacturer"));
  bios.set("SerialNumber", kNull).set("ReleaseDate", "20050301000000.000000+060");
  lab.add("Win32_BIOS", named(""));
  EXPECT_EQ(valuesOf(*lab.info.getInfo("SRV1")),
            (Keys{"Name", "Status", "SystemType", "523mb", "Member Server", "(Null)", "Manufacturer", "Model",
                  "Domain", "(Null)", "NumberOfProcessors", "Product", "Manufacturer", "", "Description",
                  "2/28/2005 11:00:00 PM", "Version", "Manufacturer", ""}));
  bios.set("ReleaseDate", kNull);
  EXPECT_EQ((*lab.info.getInfo("SRV1"))["BIOSReleaseDate"], Variant(""));

  const std::string fror = "Unable to get computer info fror SRV1: ";
  system.set("DomainRole", kNull);
  EXPECT_EQ(failureOf([&] { lab.info.getInfo("SRV1"); }).description(), fror + "Invalid use of Null");
  system.set("DomainRole", int16_t{3});
  bios.set("ReleaseDate", "2005xx01000000.000000+000");
  EXPECT_EQ(failureOf([&] { lab.info.getInfo("SRV1"); }).description(),
            fror + "Error translating string to date: Type mismatch");
  lab.add("Win32_ComputerSystem", named("Name")); // a second system repeats the keys
  EXPECT_EQ(raisedBy([&] { lab.info.getInfo("SRV1"); }),
            Raised(kDuplicateKey, fror + runtimeErrorText(kDuplicateKey)));
}

TEST(ComputerSummary, MemoryTextAtItsBoundariesAndEveryDomainRole) {
  auto english = PortableRegional::english();
  EXPECT_EQ(inventory::physicalMemoryText("1023999", *english), "0mb");
  EXPECT_EQ(inventory::physicalMemoryText("8589934592", *english), "8388mb") << "beyond 32 bits";
  EXPECT_EQ(inventory::physicalMemoryText(kNull, *english), "mb");
  const char *roles[] = {"Unknown Domain Role",       "Standalone Workstation", "Member Workstation",
                         "Standalone Server",         "Member Server",          "Backup Domain Controller",
                         "Primary Domain Controller", "Unknown Domain Role"};
  for (int16_t role = -1; role <= 6; ++role)
    EXPECT_EQ(inventory::domainRoleText(role), roles[role + 1]) << role;
}

TEST(HotFixesAndProcessors, FieldsAsDeliveredWithNullKeptAndTheNameTrimmed) {
  InventoryLab lab;
  const char *properties =
      "Caption CSName Description FixComments HotFixID InstallDate InstalledBy InstalledOn "
      "Name ServicePackInEffect Status";
  lab.add("Win32_QuickFixEngineering", named(properties)).set("InstallDate", kNull);
  EXPECT_EQ(valuesOf(*lab.info.hotFixStatus("SRV1"), 1),
            words("Caption CSName Description FixComments HotFixID (Null) InstalledBy "
                  "InstalledOn Name ServicePackInEffect Status"));
  const char *processor = "CurrentClockSpeed Description Manufacturer DeviceID L2CacheSize SocketDesignation";
  lab.add("Win32_Processor", named(processor)).set("Name", "  Xeon  ");
  EXPECT_EQ(valuesOf(*lab.info.cpuInfo("SRV1"), 1), words(std::string("Xeon ") + processor));
}

Variant list(std::vector<Variant> items, int32_t lowerBound = 0) {
  return Variant(VariantArray{lowerBound, std::move(items)});
}

TEST(NicInfo, AdaptersKeyedByIndexWithAddressListsKeyedByArrayPosition) {
  auto adapter = [](int32_t index, Variant ip, Variant gateway) {
    auto adapter = named("Description MACAddress DNSHostName");
    adapter->set("Index", index).set("DNSDomain", kNull).set("IPSubnet", list({"255.0.0.0"}));
    adapter->set("IPAddress", std::move(ip));
    adapter->set("DefaultIPGateway", std::move(gateway));
    return adapter;
  };
  InventoryLab lab;
  lab.target->addQuery(inventory::kNicQuery, {adapter(7, list({"10.0.0.5", "fe80::1"}), kNull),
                                              adapter(1, kNull, list({"10.0.0.1"}, 1))});
  auto result = lab.info.getNicInfo("SRV1");
  // The key "1" is the adapter whose index is 1; position 1 is the first delivered.
  EXPECT_EQ(keysOf(*result), (Keys{"7", "1"}));
  auto first = asCollection(result->at(1));
  EXPECT_TRUE((*first)["DNSDomain"].isNull()) << "a missing value stays Null";
  EXPECT_EQ(keysOf(*asCollection((*first)["StaticIP"])), (Keys{"0", "1"}));
  EXPECT_EQ(valuesOf(*asCollection((*first)["SubNet"])), Keys{"255.0.0.0"});
  EXPECT_EQ(asCollection((*first)["GateWay"])->count(), 0) << "no gateway is an empty list, never missing";
  // Positions count from the array's own lower bound.
  EXPECT_EQ(keysOf(*asCollection((*asCollection((*result)["1"]))["GateWay"])), Keys{"1"});
  EXPECT_EQ(failureOf([] { inventory::addressList(Variant("10.0.0.1")); }).number(), kTypeMismatch);

  lab.target->addQuery(inventory::kNicQuery, {adapter(3, kNull, kNull), adapter(3, kNull, kNull)});
  EXPECT_EQ(raisedBy([&] { lab.info.getNicInfo("SRV1"); }),
            Raised(kDuplicateKey,
                   std::string("Error retreiving NIC info for SRV1: ") + runtimeErrorText(kDuplicateKey)));
}

// The uptime counts whole minutes with the seconds of both moments dropped:
// 10:00:30 to 14:25:10 is 4 hours 25 minutes.
TEST(OsInfo, FirstInstanceWithBootInUtcAndUptimeAgainstTheUtcClock) {
  InventoryLab lab;
  auto &os =
      lab.add("Win32_OperatingSystem", named("BuildType Caption SerialNumber OSLanguage CurrentTimeZone "
                                             "ServicePackMajorVersion ServicePackMinorVersion Version "
                                             "BuildNumber"));
  os.set("CSDVersion", kNull).set("LastBootUpTime", "20050301120030.000000+120");
  lab.add("Win32_OperatingSystem", named(""));
  lab.system->utcNow = makeDate({2005, 3, 4, 14, 25, 10});
  lab.system->localNow = makeDate({2005, 3, 4, 16, 25, 10}); // two hours ahead: must not count
  EXPECT_EQ(valuesOf(*lab.info.osInfo("SRV1")),
            (Keys{"BuildType", "Caption", "(Null)", "SerialNumber", "OSLanguage", "CurrentTimeZone",
                  "ServicePackMajorVersion", "ServicePackMinorVersion", "Version", "BuildNumber",
                  "20050301120030.000000+120", "3/1/2005 10:00:30 AM", "3,4,25"}));

  const std::string message = "Error retreiving OS info for SRV1: ";
  os.set("LastBootUpTime", kNull);
  EXPECT_EQ(failureOf([&] { lab.info.osInfo("SRV1"); }).description(), message + "Invalid use of Null");
  os.set("LastBootUpTime", "20050301120000.000000+1x0");
  EXPECT_EQ(failureOf([&] { lab.info.osInfo("SRV1"); }).description(),
            message + "Error translating string to date: Type mismatch");

  InventoryLab none;
  none.target->declareClass("Win32_OperatingSystem");
  EXPECT_EQ(none.info.osInfo("SRV1")->count(), 0);
}

TEST(TranslateWmiDate, GivesUniversalTimeInEitherRegionalStyle) {
  const std::pair<const char *, const char *> dates[] = {
      {"20050301120000.000000+120", "3/1/2005 10:00:00 AM"}, // east of UTC: earlier
      {"20050301120000.000000-300", "3/1/2005 5:00:00 PM"},  // west of UTC: later
      {"20050301123456.000000+***", "3/1/2005"},             // "+***": the date only
      {"20041231233000.000000-060", "1/1/2005 12:30:00 AM"}, // on across a year end
      {"  20050301120000.999999+000  ", "3/1/2005 12:00:00 PM"},
      {"20050301120000.000000", "3/1/2005 12:00:00 PM"}, // no offset at all
  };
  for (const auto &regional : {PortableRegional::english(), PortableRegional::european()}) {
    for (const auto &[text, utc] : dates)
      EXPECT_EQ(toText(translateWmiDate(text, *regional), *PortableRegional::english()), utc) << text;
  }
  for (const char *text : {"", "2005", "yesterday", "20051301120000.000000+000", "20050301120000.000000+abc",
                           "20050301120000.000000+"}) {
    EXPECT_EQ(raisedBy([&] { translateWmiDate(text, *PortableRegional::english()); }),
              Raised(kTypeMismatch, "Error translating string to date: Type mismatch"))
        << text;
  }
}

// The unit is chosen on the chained two-decimal figures, not on the exact
// quotients: 102,395 bytes are 99.995 Kb, which rounds to 100.00. Each unit's
// figure comes from the one before it, rounded: 1,053,816 bytes are 1029.117 Kb,
// shown 1029.12, which is 1.005 Mb and shows as 1.01 (the bytes alone give 1.00).
TEST(DriveSizes, SizeTextInBothRegionalStyles) {
  const std::tuple<double, const char *, const char *> cases[] = {
      {102394, "102394b", "102394b"},          {102395, "100.00 Kb", "100,00 Kb"},
      {1030000, "1,005.86 Kb", "1.005,86 Kb"}, {1073741824, "1.00 Gb", "1,00 Gb"},
      {1099511627776.0, "1.00 Tb", "1,00 Tb"}, {1688849860263936.0, "1,536.00 Tb", "1.536,00 Tb"},
      {1053816, "1.01 Mb", "1,01 Mb"},
  };
  auto english = PortableRegional::english();
  for (const auto &[bytes, inEnglish, inEuropean] : cases) {
    EXPECT_EQ(inventory::sizeText(bytes, *english), inEnglish) << bytes;
    EXPECT_EQ(inventory::sizeText(bytes, *PortableRegional::european()), inEuropean) << bytes;
  }
  EXPECT_EQ(failureOf([&] { inventory::usedPercentText(0, 0, *english); }).number(), kDivisionByZero);
}

fake::WmiObjectPtr disk(const Variant &mediaType, const char *letter, const Variant &size,
                        const Variant &free) {
  auto disk = named("FileSystem VolumeName");
  disk->set("MediaType", mediaType).set("Caption", letter).set("Size", size).set("FreeSpace", free);
  return disk;
}

// Only fixed disks, under position keys without gaps. A locked or
// unformatted volume (Null or zero size) must not hide the other drives: it
// is listed with blanks and no fill level. On any other drive a Null text
// is unreadable like any other value and fails the listing.
TEST(LogicalDrives, FixedDisksOnlyLockedOrUnformattedOnesWithBlanks) {
  InventoryLab lab(PortableRegional::european());
  lab.add("Win32_LogicalDisk", disk(12, "C:", kNull, kNull))
      .set("FileSystem", kNull)
      .set("VolumeName", kNull);
  lab.add("Win32_LogicalDisk", disk(kNull, "X:", "100", "50"));
  lab.add("Win32_LogicalDisk", disk(12, "D:", "0", "0"));
  lab.add("Win32_LogicalDisk", disk(11, "Y:", "100", "50"));
  lab.add("Win32_LogicalDisk", disk(21, "Z:", "100", "50"));
  lab.add("Win32_LogicalDisk", disk(12, "E:", "1048064", kNull));
  auto &measurable = lab.add("Win32_LogicalDisk", disk(12, "F:", "1030000", "453000"));
  auto result = lab.info.logicalDriveInfo("SRV1");
  ASSERT_EQ(keysOf(*result), (Keys{"1", "2", "3", "4"}));
  // The byte counts are the service's own texts, Null kept.
  const Keys expected[] = {
      {"0b", "(Null)", "", "(Null)", "0b", "C:", "", ""},
      {"0b", "0", "", "0", "0b", "D:", "FileSystem", "VolumeName"},
      {"1,00 Mb", "1048064", "", "(Null)", "0b", "E:", "FileSystem", "VolumeName"},
      {"1.005,86 Kb", "1030000", "56,0", "453000", "442,38 Kb", "F:", "FileSystem", "VolumeName"},
  };
  for (std::size_t i = 0; i < 4; ++i)
    EXPECT_EQ(valuesOf(*result, i + 1), expected[i]);

  for (const char *field : {"Caption", "FileSystem", "VolumeName"}) {
    const Variant kept = measurable.get(field);
    measurable.set(field, kNull);
    EXPECT_EQ(raisedBy([&] { lab.info.logicalDriveInfo("SRV1"); }),
              Raised(kInvalidUseOfNull, "Error retreiving LogicalDriveInfo for SRV1: Invalid use of Null"))
        << field;
    measurable.set(field, kept);
  }
}

// Every method reports a platform failure under its own message, keeping the
// platform's number; the computer text is used unaltered.
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
  for (const auto &c : cases) {
    InventoryLab lab; // " Srv9 " is not served: the connection fails
    EXPECT_EQ(raisedBy([&] { (lab.info.*c.first)(" Srv9 "); }),
              Raised(fake::kRpcUnavailable, c.second + " Srv9 : The RPC server is unavailable. "));
    EXPECT_EQ(lab.management->connects, Keys{"winmgmts:// Srv9 "});
  }
}

} // namespace
} // namespace qv::test
