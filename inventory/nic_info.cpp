#include "inventory/nic_info.hpp"

#include <string>

#include "core/automation_error.hpp"
#include "inventory/management_reads.hpp"

namespace qv::inventory {

CollectionPtr addressList(const Variant &addresses) {
  auto list = std::make_shared<Collection>();
  if (addresses.isNull()) return list;
  if (!addresses.isArray()) throw runtimeError(kTypeMismatch);
  const VariantArray &array = addresses.array();
  int64_t position = array.lowerBound;
  for (const Variant &address : array.items)
    list->add(address, std::to_string(position++));
  return list;
}

CollectionPtr readNicInfo(const Platform &platform, std::string_view computer) {
  auto service = connectTo(*platform.management, computer);
  auto adapters = queryResults(*service, kNicQuery);
  auto result = std::make_shared<Collection>();
  forEachInstance(*adapters, [&](ManagementObject &adapter) {
    auto record = newRecord();
    record->add(adapter.get("Description"), "NICName");
    record->add(adapter.get("MACAddress"), "MACAddress");
    record->add(adapter.get("DNSHostName"), "DNSHostName");
    record->add(adapter.get("DNSDomain"), "DNSDomain");
    record->add(addressList(adapter.get("IPAddress")), "StaticIP");
    record->add(addressList(adapter.get("IPSubnet")), "SubNet");
    record->add(addressList(adapter.get("DefaultIPGateway")), "GateWay");
    result->add(record, textProperty(adapter, "index", *platform.regional));
  });
  return result;
}

} // namespace qv::inventory
