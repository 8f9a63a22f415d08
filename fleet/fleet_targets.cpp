#include "fleet/fleet_targets.hpp"

#include <array>

#include "core/automation_error.hpp"
#include "core/collection.hpp"
#include "core/convert.hpp"

namespace qv::fleet {
namespace {

bool separates(char c) { return c == ',' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

} // namespace

std::vector<std::string> splitComputers(std::string_view text) {
  std::vector<std::string> names;
  std::string current;
  for (char c : text) {
    if (separates(c)) {
      if (!current.empty()) names.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) names.push_back(std::move(current));
  return names;
}

std::string listedComputer(const Variant &entry, const Regional &regional) {
  if (entry.isNull()) throw runtimeError(kInvalidUseOfNull, "Run: a computer in the list is Null");
  if (entry.isObject() || entry.isArray())
    throw runtimeError(kTypeMismatch, "Run: a computer in the list is not a name");
  std::string name = toText(entry, regional);
  std::size_t first = 0, end = name.size();
  while (first < end && blank(name[first]))
    ++first;
  while (end > first && blank(name[end - 1]))
    --end;
  if (first == end) throw runtimeError(kInvalidCall, "Run: an empty computer name");
  return name.substr(first, end - first);
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
