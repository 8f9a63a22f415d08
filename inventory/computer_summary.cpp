#include "inventory/computer_summary.hpp"

#include <cmath>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/null_to_default.hpp"
#include "core/wmi_date_text.hpp"
#include "inventory/management_reads.hpp"

namespace qv::inventory {
namespace {

void addComputerSystem(ManagementObject &system, Collection &record, const Regional &regional) {
  record.add(system.get("Name"), "ComputerName");
  record.add(system.get("status"), "Status");
  record.add(system.get("SystemType"), "SystemType");
  record.add(physicalMemoryText(system.get("TotalPhysicalMemory"), regional), "PhysicalMemory");
  record.add(domainRoleText(toInt16(system.get("DomainRole"), regional)), "DomainRole");
  record.add(system.get("UserName"), "ConsoleUser");
  record.add(system.get("Manufacturer"), "ComputerManufacturer");
  record.add(system.get("Model"), "ComputerModel");
  record.add(system.get("domain"), "Domain");
  record.add(system.get("InstallDate"), "SystemInstallDate");
  record.add(system.get("NumberOfProcessors"), "CPUCount");
}

void addMainBoard(ManagementService &service, Collection &record) {
  Variant product(""), manufacturer(""), version("");
  auto boards = allInstances(service, "Win32_BaseBoard");
  if (ManagementObjectPtr board = firstOf(*boards)) {
    product = nullToDefault(board->get("Product"), product);
    manufacturer = nullToDefault(board->get("Manufacturer"), manufacturer);
    version = nullToDefault(board->get("version"), version);
  }
  record.add(product, "MotherBoardProduct");
  record.add(manufacturer, "MotherBoardManufacturer");
  record.add(version, "MotherBoardVersion");
}

void addBios(ManagementService &service, Collection &record, const Regional &regional) {
  Variant description(""), version(""), manufacturer(""), serialNumber("");
  std::string releaseText = kNoReleaseDate;
  auto bioses = allInstances(service, "Win32_BIOS");
  if (ManagementObjectPtr bios = firstOf(*bioses)) {
    description = nullToDefault(bios->get("Description"), description);
    version = nullToDefault(bios->get("version"), version);
    manufacturer = nullToDefault(bios->get("Manufacturer"), manufacturer);
    serialNumber = nullToDefault(bios->get("SerialNumber"), serialNumber);
    releaseText = toText(nullToDefault(bios->get("ReleaseDate"), Variant(releaseText)), regional);
  }
  const Variant releaseDate =
      trim(releaseText) == kNoReleaseDate ? Variant("") : Variant(translateWmiDate(releaseText, regional));
  record.add(description, "BIOSDescription");
  record.add(releaseDate, "BIOSReleaseDate");
  record.add(version, "BIOSVersion");
  record.add(manufacturer, "BIOSManufacturer");
  record.add(serialNumber, "BIOSSerialNumber");
}

} // namespace

std::string domainRoleText(int16_t role) {
  switch (role) {
  case 0: return "Standalone Workstation";
  case 1: return "Member Workstation";
  case 2: return "Standalone Server";
  case 3: return "Member Server";
  case 4: return "Backup Domain Controller";
  case 5: return "Primary Domain Controller";
  default: return "Unknown Domain Role";
  }
}

std::string physicalMemoryText(const Variant &bytes, const Regional &regional) {
  if (bytes.isNull()) return "mb";
  // Worked in 64 bits: memory beyond 2 GB must not overflow a 32-bit count.
  const double whole = std::nearbyint(toDouble(bytes, regional));
  if (!(std::fabs(whole) < 9.2e18)) throw runtimeError(kOverflow);
  return std::to_string(static_cast<int64_t>(whole) / 1024000) + "mb";
}

CollectionPtr readComputerSummary(const Platform &platform, std::string_view computer) {
  const Regional &regional = *platform.regional;
  auto record = newRecord();
  {
    auto service = connectTo(*platform.management, computer);
    auto systems = allInstances(*service, "Win32_ComputerSystem");
    // Every instance adds its fields: a second one repeats the keys and fails.
    forEachInstance(*systems,
                    [&](ManagementObject &system) { addComputerSystem(system, *record, regional); });
  }
  addMainBoard(*connectTo(*platform.management, computer), *record);
  addBios(*connectTo(*platform.management, computer), *record, regional);
  return record;
}

} // namespace qv::inventory
