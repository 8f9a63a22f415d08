#include "inventory/hotfix_info.hpp"

#include <array>
#include <utility>

#include "inventory/management_reads.hpp"

namespace qv::inventory {
namespace {

// Record key and the entry's property, in record order.
constexpr std::array<std::pair<const char *, const char *>, 11> kHotFixFields{{
    {"Caption", "Caption"},
    {"Computer", "CSName"},
    {"Description", "Description"},
    {"Comments", "FixComments"},
    {"HotFixID", "HotFixID"},
    {"Date", "InstallDate"},
    {"InstalledBy", "InstalledBy"},
    {"InstalledOn", "InstalledOn"},
    {"Name", "Name"},
    {"ServicePack", "ServicePackInEffect"},
    {"Status", "status"},
}};

} // namespace

CollectionPtr readHotFixes(const Platform &platform, std::string_view computer) {
  auto service = connectTo(*platform.management, computer);
  auto entries = allInstances(*service, "Win32_QuickFixEngineering");
  ResultCollection result;
  forEachInstance(*entries, [&](ManagementObject &entry) {
    auto record = newRecord();
    for (const auto &[key, property] : kHotFixFields)
      record->add(entry.get(property), key);
    result.add(record);
  });
  return result.take();
}

} // namespace qv::inventory
