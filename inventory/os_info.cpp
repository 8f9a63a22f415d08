#include "inventory/os_info.hpp"

#include "core/convert.hpp"
#include "core/wmi_date_text.hpp"
#include "inventory/management_reads.hpp"

namespace qv::inventory {

std::string uptimeText(Date bootUtc, Date nowUtc) {
  const int64_t minutes = minutesBetween(bootUtc, nowUtc);
  const int64_t hours = minutes / 60;
  const int64_t days = hours / 24;
  return std::to_string(days) + "," + std::to_string(hours % 24) + "," + std::to_string(minutes % 60);
}

CollectionPtr readOperatingSystem(const Platform &platform, std::string_view computer) {
  const Regional &regional = *platform.regional;
  auto service = connectTo(*platform.management, computer);
  auto systems = allInstances(*service, "Win32_OperatingSystem");
  auto record = newRecord();
  ManagementObjectPtr os = firstOf(*systems);
  if (!os) return record;

  record->add(os->get("BuildType"), "BuildType");
  record->add(os->get("Caption"), "OperatingSystem");
  record->add(os->get("CSDVersion"), "ServicePack");
  record->add(os->get("SerialNumber"), "SerialNumber");
  record->add(os->get("OSLanguage"), "OSLanguage");
  record->add(os->get("CurrentTimeZone"), "CurrentTimeZone");
  record->add(os->get("ServicePackMajorVersion"), "SPMajor");
  record->add(os->get("ServicePackMinorVersion"), "SPMinor");
  record->add(os->get("version"), "WindowsVersion");
  record->add(os->get("BuildNumber"), "BuildNumber");
  const Variant lastBoot = os->get("LastBootUpTime");
  record->add(lastBoot, "LastBootRaw");
  const Date bootUtc = translateWmiDate(toText(lastBoot, regional), regional);
  record->add(bootUtc, "LastBoot");
  // The boot moment is in UTC, so the clock must be too, or the uptime would
  // be off by the host's distance from UTC.
  record->add(uptimeText(bootUtc, platform.system->nowUtc()), "Uptime");
  return record;
}

} // namespace qv::inventory
