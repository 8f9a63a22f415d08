#include "inventory/os_info.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

fake::WmiObjectPtr processor(const char *name, const char *deviceId) {
  auto cpu = std::make_shared<fake::WmiObject>();
  cpu->set("Name", name)
      .set("CurrentClockSpeed", int32_t{2993})
      .set("Description", "x86 Family 15 Model 4")
      .set("Manufacturer", "GenuineIntel")
      .set("DeviceID", deviceId)
      .set("L2CacheSize", Variant::null())
      .set("SocketDesignation", "Socket 0");
  return cpu;
}

TEST(CpuInfo, OneRecordPerProcessorWithTheNameTrimmed) {
  InventoryLab lab;
  lab.add("Win32_Processor", processor("   Intel(R) Xeon(TM) CPU 3.00GHz  ", "CPU0"));
  lab.add("Win32_Processor", processor("Intel(R) Xeon(TM) CPU 3.00GHz", "CPU1"));
  auto result = lab.info.cpuInfo("SRV1");
  ASSERT_EQ(keysOf(*result), (std::vector<std::string>{"1", "2"}));
  auto first = asCollection((*result)["1"]);
  EXPECT_EQ(keysOf(*first), (std::vector<std::string>{"CPUName", "ClockSpeed", "Description", "Manufacturer",
                                                      "DeviceID", "L2CacheSize", "Socket"}));
  EXPECT_EQ((*first)["CPUName"], Variant("Intel(R) Xeon(TM) CPU 3.00GHz"));
  EXPECT_EQ((*first)["ClockSpeed"], Variant(int32_t{2993})) << "as delivered, not text";
  EXPECT_TRUE((*first)["L2CacheSize"].isNull());
  EXPECT_EQ(asCollection((*result)["2"])->item("DeviceID"sv), Variant("CPU1"));
}

TEST(CpuInfo, NullNameFailsWithItsMessage) {
  InventoryLab lab;
  lab.add("Win32_Processor", processor("x", "CPU0"))->set("Name", Variant::null());
  auto error = failureOf([&] { lab.info.cpuInfo("SRV1"); });
  EXPECT_EQ(error.number(), kInvalidUseOfNull);
  EXPECT_EQ(error.description(), "Error retreiving CPU info for SRV1: Invalid use of Null");
}

fake::WmiObjectPtr operatingSystem(Variant lastBoot) {
  auto os = std::make_shared<fake::WmiObject>();
  os->set("BuildType", "Multiprocessor Free")
      .set("Caption", "Microsoft Windows Server 2003, Standard Edition")
      .set("CSDVersion", Variant::null())
      .set("SerialNumber", "69712-640-0000000-45123")
      .set("OSLanguage", int32_t{1033})
      .set("CurrentTimeZone", int16_t{60})
      .set("ServicePackMajorVersion", int16_t{0})
      .set("ServicePackMinorVersion", int16_t{0})
      .set("Version", "5.2.3790")
      .set("BuildNumber", "3790")
      .set("LastBootUpTime", std::move(lastBoot));
  return os;
}

TEST(OsInfo, OneRecordFromTheFirstInstanceWithBootInUtcAndUptime) {
  InventoryLab lab;
  lab.add("Win32_OperatingSystem", operatingSystem("20050301120000.000000+120"));
  lab.add("Win32_OperatingSystem", operatingSystem("19990101000000.000000+000"));
  lab.system->utcNow = at(2005, 3, 4, 14, 25, 40);
  lab.system->localNow = at(2005, 3, 4, 16, 25, 40);

  auto os = lab.info.osInfo("SRV1");
  EXPECT_EQ(keysOf(*os),
            (std::vector<std::string>{"BuildType", "OperatingSystem", "ServicePack", "SerialNumber",
                                      "OSLanguage", "CurrentTimeZone", "SPMajor", "SPMinor", "WindowsVersion",
                                      "BuildNumber", "LastBootRaw", "LastBoot", "Uptime"}));
  EXPECT_TRUE((*os)["ServicePack"].isNull());
  EXPECT_EQ((*os)["CurrentTimeZone"], Variant(int16_t{60}));
  EXPECT_EQ((*os)["WindowsVersion"], Variant("5.2.3790"));
  EXPECT_EQ((*os)["LastBootRaw"], Variant("20050301120000.000000+120"));
  ASSERT_EQ((*os)["LastBoot"].kind(), VarKind::Date);
  EXPECT_EQ(stamp((*os)["LastBoot"].date()), "2005-03-01 10:00:00");
  // From 10:00 UTC on the 1st to 14:25 UTC on the 4th; the local clock, two
  // hours ahead, must not count.
  EXPECT_EQ((*os)["Uptime"], Variant("3,4,25"));
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_OperatingSystem"), 1u)
      << "the second instance is never read";
}

TEST(OsInfo, NoInstanceGivesAnEmptyRecord) {
  InventoryLab lab;
  lab.target->declareClass("Win32_OperatingSystem");
  EXPECT_EQ(lab.info.osInfo("SRV1")->count(), 0);
}

TEST(OsInfo, UnusableBootTimeFailsWithStackedMessages) {
  struct Case {
    Variant lastBoot;
    int32_t number;
    const char *description;
  } cases[] = {
      {Variant::null(), kInvalidUseOfNull, "Error retreiving OS info for SRV1: Invalid use of Null"},
      {"yesterday", kTypeMismatch,
       "Error retreiving OS info for SRV1: Error translating string to date: Type mismatch"},
      {"20050301120000.000000+1x0", kTypeMismatch,
       "Error retreiving OS info for SRV1: Error translating string to date: Type mismatch"},
  };
  for (const auto &c : cases) {
    InventoryLab lab;
    lab.add("Win32_OperatingSystem", operatingSystem(c.lastBoot));
    auto error = failureOf([&] { lab.info.osInfo("SRV1"); });
    EXPECT_EQ(error.number(), c.number) << c.description;
    EXPECT_EQ(error.description(), c.description);
  }
}

TEST(Uptime, DaysHoursMinutesWithSecondsDropped) {
  const Date boot = at(2005, 3, 1, 10, 0, 30);
  struct Case {
    Date now;
    const char *text;
  } cases[] = {
      {at(2005, 3, 1, 10, 50, 0), "0,0,50"}, {at(2005, 3, 1, 11, 30, 59), "0,1,30"},
      {at(2005, 3, 2, 10, 0, 0), "1,0,0"},   {at(2005, 3, 4, 14, 25, 0), "3,4,25"},
      {at(2005, 3, 1, 10, 1, 0), "0,0,1"},   {at(2005, 3, 1, 10, 0, 59), "0,0,0"},
      {at(2005, 4, 10, 10, 0, 0), "40,0,0"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(inventory::uptimeText(boot, c.now), c.text) << stamp(c.now);
}

} // namespace
} // namespace qv::test
