#include "fleet/fleet_targets.hpp"

#include <array>

#include "core/collection.hpp"

namespace qv::fleet {

std::vector<std::string> splitComputers(std::string_view text) {
  std::vector<std::string> names;
  std::string current;
  for (char c : text) {
    if (c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      if (!current.empty()) names.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) names.push_back(std::move(current));
  return names;
}

std::optional<std::size_t> targetParameter(const std::vector<std::string> &parameterNames) {
  // The names the classes give the computer they act on.
  static constexpr std::array<std::string_view, 5> kTargetNames{"computer", "cname", "cn", "trmserver",
                                                                "computername"};
  for (std::size_t index = 0; index < parameterNames.size(); ++index) {
    std::string folded = foldKey(parameterNames[index]);
    for (std::string_view name : kTargetNames) {
      if (folded == name) return index;
    }
  }
  return std::nullopt;
}

WorkgroupTarget splitWorkgroupTarget(const std::string &entry) {
  std::size_t slash = entry.find('/');
  if (slash == std::string::npos) return {std::nullopt, entry};
  return {entry.substr(0, slash), entry.substr(slash + 1)};
}

} // namespace qv::fleet
