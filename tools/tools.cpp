#include "tools/tools.hpp"

#include <utility>

#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/local_names.hpp"
#include "core/targets.hpp"
#include "services/services.hpp"
#include "tools/launch_reboot.hpp"

namespace qv {

namespace {

constexpr int32_t kServiceRunning = 4;

std::string computerUnreachableMessage(const std::string &computer) {
  return "Could not connect to " + computer + "." +
         " This means either that it's a \"ghost\" on the network, " +
         "or that Kelvara does not have the correct credetials to access it.";
}

std::string workgroupUnreachableMessage() {
  return std::string("Could not browse the selected workgroup or domain. Please make sure that ") +
         "Kelvara have the userrights needed to browse the computer network";
}

} // namespace

Tools::Tools(Platform platform) : platform_(std::move(platform)) {}

int32_t Tools::rebootComputer(std::string &computer) {
  return noHandler([&] {
    std::string local = localComputerName(*platform_.system);
    if (toLowerAscii(trim(computer)) == toLowerAscii(trim(local))) computer = "127.0.0.1";
    return launchReboot(*platform_.system, computer);
  });
}

bool Tools::tryConnection(const std::string &workgroup, const std::optional<std::string> &computerName) {
  const std::string computer = computerName.value_or(std::string());
  return capture(
      [&] {
        platform_.directory->bind(connectionTestPath(workgroup, computer));
        return true;
      },
      [&](const AutomationError &) {
        message_ =
            trim(computer).empty() ? workgroupUnreachableMessage() : computerUnreachableMessage(computer);
        return false;
      });
}

bool Tools::gotBootTool() {
  return noHandler([&] {
    std::string windir = platform_.system->environment("windir").value_or(std::string());
    return platform_.system->fileExists(windir + "\\system32\\shutdown.exe");
  });
}

std::string Tools::singleServerMode() {
  return reportAndFail("Error getting singleServerMode status", [&] {
    LocalHost host = localHost();
    if (localServiceStatus(host, "lanmanworkstation") != kServiceRunning)
      return host.workgroup + "," + host.computer;
    return std::string();
  });
}

bool Tools::serviceIsRunning(const std::string &service) {
  return reportAndFail("Error getting running status for the" + service + " service",
                       [&] { return localServiceStatus(localHost(), service) == kServiceRunning; });
}

Tools::LocalHost Tools::localHost() {
  LocalHost host;
  host.computer = localComputerName(*platform_.system);
  host.workgroup = localWorkgroup(*platform_.system);
  return host;
}

int32_t Tools::localServiceStatus(const LocalHost &host, const std::string &service) {
  Services services(platform_);
  services.setComputerName(host.computer);
  services.setWorkgroup(host.workgroup);
  CollectionPtr record = services.getService(service);
  return toInt32((*record)["Status"], *platform_.regional);
}

} // namespace qv
