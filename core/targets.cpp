#include "core/targets.hpp"

#include "core/convert.hpp"

namespace qv {

std::string workgroupPath(std::string_view workgroup) { return "WinNT://" + std::string(workgroup); }

std::string computerPath(std::string_view workgroup, std::string_view computer) {
  return workgroupPath(workgroup) + "/" + std::string(computer);
}

std::string servicePath(std::string_view workgroup, std::string_view computer, std::string_view service) {
  return computerPath(workgroup, computer) + "/" + std::string(service) + ",Service";
}

std::string connectionTestPath(std::string_view workgroup, std::string_view computer) {
  if (trim(computer).empty()) return workgroupPath(workgroup);
  return computerPath(workgroup, computer);
}

} // namespace qv
