#include "inventory/processor_info.hpp"

#include "core/convert.hpp"
#include "inventory/management_reads.hpp"

namespace qv::inventory {

CollectionPtr readProcessors(const Platform &platform, std::string_view computer) {
  auto service = connectTo(*platform.management, computer);
  auto processors = allInstances(*service, "Win32_Processor");
  ResultCollection result;
  forEachInstance(*processors, [&](ManagementObject &processor) {
    auto record = newRecord();
    // The service pads some processor names with leading blanks.
    record->add(trimmed(textProperty(processor, "Name", *platform.regional)), "CPUName");
    record->add(processor.get("CurrentClockSpeed"), "ClockSpeed");
    record->add(processor.get("Description"), "Description");
    record->add(processor.get("Manufacturer"), "Manufacturer");
    record->add(processor.get("DeviceID"), "DeviceID");
    record->add(processor.get("L2CacheSize"), "L2CacheSize");
    record->add(processor.get("SocketDesignation"), "Socket");
    result.add(record);
  });
  return result.take();
}

} // namespace qv::inventory
