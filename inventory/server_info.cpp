#include "inventory/server_info.hpp"

#include <utility>

#include "core/handlers.hpp"
#include "inventory/computer_summary.hpp"
#include "inventory/drive_info.hpp"
#include "inventory/hotfix_info.hpp"
#include "inventory/nic_info.hpp"
#include "inventory/os_info.hpp"
#include "inventory/processor_info.hpp"

namespace qv {

ServerInfo::ServerInfo(Platform platform) : platform_(std::move(platform)) {}

CollectionPtr ServerInfo::getNicInfo(const std::string &computer) {
  return reportAndFail("Error retreiving NIC info for " + computer,
                       [&] { return inventory::readNicInfo(platform_, computer); });
}

CollectionPtr ServerInfo::logicalDriveInfo(const std::string &computer) {
  return reportAndFail("Error retreiving LogicalDriveInfo for " + computer,
                       [&] { return inventory::readLogicalDrives(platform_, computer); });
}

CollectionPtr ServerInfo::cpuInfo(const std::string &computer) {
  return reportAndFail("Error retreiving CPU info for " + computer,
                       [&] { return inventory::readProcessors(platform_, computer); });
}

CollectionPtr ServerInfo::osInfo(const std::string &computer) {
  return reportAndFail("Error retreiving OS info for " + computer,
                       [&] { return inventory::readOperatingSystem(platform_, computer); });
}

CollectionPtr ServerInfo::hotFixStatus(const std::string &computer) {
  return reportAndFail("Error retreiving hotfix status for " + computer,
                       [&] { return inventory::readHotFixes(platform_, computer); });
}

CollectionPtr ServerInfo::getInfo(const std::string &computer) {
  return reportAndFail("Unable to get computer info fror " + computer,
                       [&] { return inventory::readComputerSummary(platform_, computer); });
}

} // namespace qv
