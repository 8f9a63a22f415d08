#include "inventory/os_info.hpp"

#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

TEST(CpuInfo, OneRecordPerProcessorWithTheNameTrimmed) {
  InventoryLab lab;
  for (const char *name : {"   Intel(R) Xeon(TM) CPU 3.00GHz  ", "Intel(R) Xeon(TM) CPU 3.00GHz"}) {
    lab.add("Win32_Processor", wmi({{"Name", name},
                                    {"CurrentClockSpeed", int32_t{2993}},
                                    {"Description", "x86 Family 15"},
                                    {"Manufacturer", "GenuineIntel"},
                                    {"DeviceID", "CPU0"},
                                    {"L2CacheSize", Variant::null()},
                                    {"SocketDesignation", "Socket 0"}}));
  }
  auto result = lab.info.cpuInfo("SRV1");
  ASSERT_EQ(keysOf(*result), (Keys{"1", "2"}));
  auto first = asCollection((*result)["1"]);
  EXPECT_EQ(keysOf(*first), words("CPUName ClockSpeed Description Manufacturer DeviceID L2CacheSize Socket"));
  EXPECT_EQ((*first)["CPUName"], Variant("Intel(R) Xeon(TM) CPU 3.00GHz"));
  EXPECT_EQ((*first)["ClockSpeed"], Variant(int32_t{2993})) << "as delivered, not text";
  EXPECT_TRUE((*first)["L2CacheSize"].isNull());
}

fake::WmiObjectPtr operatingSystem(Variant lastBoot) {
  return wmi({{"BuildType", "Multiprocessor Free"},
              {"Caption", "Microsoft Windows Server 2003, Standard Edition"},
              {"CSDVersion", Variant::null()},
              {"SerialNumber", "69712-640-0000000-45123"},
              {"OSLanguage", int32_t{1033}},
              {"CurrentTimeZone", int16_t{60}},
              {"ServicePackMajorVersion", int16_t{0}},
              {"ServicePackMinorVersion", int16_t{0}},
              {"Version", "5.2.3790"},
              {"BuildNumber", "3790"},
              {"LastBootUpTime", lastBoot}});
}

TEST(OsInfo, OneRecordFromTheFirstInstanceWithBootInUtcAndUptime) {
  InventoryLab lab;
  lab.add("Win32_OperatingSystem", operatingSystem("20050301120000.000000+120"));
  lab.add("Win32_OperatingSystem", operatingSystem("19990101000000.000000+000"));
  lab.system->utcNow = at(2005, 3, 4, 14, 25, 40);
  lab.system->localNow = at(2005, 3, 4, 16, 25, 40); // two hours ahead: must not count
  auto os = lab.info.osInfo("SRV1");
  EXPECT_EQ(keysOf(*os),
            words("BuildType OperatingSystem ServicePack SerialNumber OSLanguage CurrentTimeZone "
                  "SPMajor SPMinor WindowsVersion BuildNumber LastBootRaw LastBoot Uptime"));
  EXPECT_TRUE((*os)["ServicePack"].isNull());
  EXPECT_EQ((*os)["CurrentTimeZone"], Variant(int16_t{60}));
  EXPECT_EQ((*os)["LastBootRaw"], Variant("20050301120000.000000+120"));
  ASSERT_EQ((*os)["LastBoot"].kind(), VarKind::Date);
  EXPECT_EQ(stamp((*os)["LastBoot"].date()), "2005-03-01 10:00:00");
  EXPECT_EQ((*os)["Uptime"], Variant("3,4,25"));
  EXPECT_EQ(lab.target->taken("InstancesOf Win32_OperatingSystem"), 1u)
      << "the second instance is never read";

  InventoryLab none;
  none.target->declareClass("Win32_OperatingSystem");
  EXPECT_EQ(none.info.osInfo("SRV1")->count(), 0);
}

TEST(OsInfo, UnusableBootTimeFailsWithStackedMessages) {
  const std::string translating = "Error retreiving OS info for SRV1: Error translating string to date: ";
  struct Case {
    Variant lastBoot;
    int32_t number;
    std::string description;
  } cases[] = {
      {Variant::null(), kInvalidUseOfNull, "Error retreiving OS info for SRV1: Invalid use of Null"},
      {"yesterday", kTypeMismatch, translating + "Type mismatch"},
      {"20050301120000.000000+1x0", kTypeMismatch, translating + "Type mismatch"},
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
      {at(2005, 3, 2, 10, 0, 0), "1,0,0"},   {at(2005, 3, 1, 10, 1, 0), "0,0,1"},
      {at(2005, 3, 1, 10, 0, 59), "0,0,0"},  {at(2005, 4, 10, 10, 0, 0), "40,0,0"},
  };
  for (const auto &c : cases)
    EXPECT_EQ(inventory::uptimeText(boot, c.now), c.text) << stamp(c.now);
}

} // namespace
} // namespace qv::test
