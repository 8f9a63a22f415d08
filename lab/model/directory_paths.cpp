#include "lab/model/directory_paths.hpp"

#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

// "name,Class" -> name and class.
std::pair<std::string, std::string> nameAndClass(std::string_view component) {
  std::size_t comma = component.find(',');
  if (comma == std::string_view::npos) return {std::string(component), {}};
  return {std::string(component.substr(0, comma)), trim(component.substr(comma + 1))};
}

std::vector<std::string> componentsAfter(std::string_view path, std::string_view prefix) {
  if (!startsWithNoCase(path, prefix)) throw LabError(code::kBadPathname);
  std::string_view rest = path.substr(prefix.size());
  if (rest.empty()) return {};
  if (rest.substr(0, 2) != "//") throw LabError(code::kBadPathname);
  rest.remove_prefix(2);
  std::vector<std::string> parts = split(rest, '/');
  // One separator at the very end is tolerated.
  if (parts.size() > 1 && parts.back().empty()) parts.pop_back();
  return parts;
}

void requireReachable(const DirNode &computerNode) {
  if (computerNode.computer && !computerNode.computer->reachable) throw LabError(code::kBadNetPath);
}

void requireClass(const DirNode &node, const std::string &className, uint32_t failure) {
  if (!className.empty() && !equalsNoCase(node.className, className)) throw LabError(failure);
}

DirNodePtr objectOf(const DirNode &computerNode, const std::string &component) {
  auto [name, className] = nameAndClass(component);
  if (name.empty()) throw LabError(code::kBadPathname);
  DirNodePtr found = computerNode.child(name, className);
  if (found) return found;
  if (equalsNoCase(className, "Service") || (className.empty() && !computerNode.child(name)))
    throw LabError(code::kNoSuchService);
  throw LabError(code::kUnknownObject);
}

} // namespace

DirNodePtr childOf(const DirNode &container, std::string_view className, std::string_view name) {
  if (DirNodePtr found = container.child(name, className)) return found;
  if (container.className == "Computer") {
    if (equalsNoCase(className, "Service")) throw LabError(code::kNoSuchService);
    throw LabError(code::kUnknownObject);
  }
  if (startsWithNoCase(container.path, "WinNT:")) throw LabError(code::kUnknownObject);
  throw LabError(code::kPathNotFound);
}

DirNodePtr bindWinNT(const Fleet &fleet, std::string_view path, const LocalNames &local) {
  std::vector<std::string> parts = componentsAfter(path, "WinNT:");
  if (parts.empty()) return fleet.winntRoot;
  for (const auto &part : parts)
    if (part.empty()) throw LabError(code::kBadPathname);
  if (parts.size() > 3) throw LabError(code::kBadPathname);

  auto [first, firstClass] = nameAndClass(parts[0]);
  DirNodePtr workgroup = fleet.workgroup(first, local);
  if (!workgroup || (!firstClass.empty() && !equalsNoCase(firstClass, "Domain"))) {
    // WinNT://computer[/object]: a computer named without its workgroup.
    Computer *computer = fleet.reach(first, local);
    if (!computer || parts.size() > 2) throw LabError(workgroup ? code::kBadPathname : code::kNoSuchDomain);
    requireClass(*computer->winnt, firstClass, code::kBadPathname);
    requireReachable(*computer->winnt);
    if (parts.size() == 1) return computer->winnt;
    return objectOf(*computer->winnt, parts[1]);
  }
  if (parts.size() == 1) return workgroup;

  auto [second, secondClass] = nameAndClass(parts[1]);
  DirNodePtr node = workgroup->child(second);
  if (!node) {
    // The host's own name reaches the local computer within its workgroup.
    Computer *computer = fleet.reach(second, local);
    if (computer && equalsNoCase(computer->workgroup, workgroup->name)) node = computer->winnt;
  }
  if (!node)
    throw LabError(parts.size() == 2 && !secondClass.empty() && !equalsNoCase(secondClass, "Computer")
                       ? code::kUnknownObject
                       : code::kBadNetPath);
  requireClass(*node, secondClass, code::kBadPathname);
  if (node->className == "Computer") requireReachable(*node);
  if (parts.size() == 2) return node;
  if (node->className != "Computer") throw LabError(code::kBadPathname);
  return objectOf(*node, parts[2]);
}

DirNodePtr bindIIS(const Fleet &fleet, std::string_view path, const LocalNames &local) {
  std::vector<std::string> parts = componentsAfter(path, "IIS:");
  if (parts.empty() || parts[0].empty()) throw LabError(code::kBadPathname);
  Computer *computer = fleet.reach(parts[0], local);
  if (!computer || !computer->reachable || !computer->metabase) throw LabError(code::kServerUnavailable);
  DirNodePtr node = computer->metabase;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    if (parts[i].empty()) throw LabError(code::kPathNotFound);
    node = node->child(parts[i]);
    if (!node) throw LabError(code::kPathNotFound);
  }
  return node;
}

} // namespace qv::lab
