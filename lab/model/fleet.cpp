#include "lab/model/fleet.hpp"

#include "lab/model/text.hpp"

namespace qv::lab {

DirNodePtr DirNode::child(std::string_view childName, std::string_view childClass) const {
  for (const auto &c : children) {
    if (equalsNoCase(c->name, childName) && (childClass.empty() || equalsNoCase(c->className, childClass)))
      return c;
  }
  return nullptr;
}

const PropertySchema *ClassSchema::find(std::string_view property) const {
  for (const auto &p : properties)
    if (equalsNoCase(p.name, property)) return &p;
  return nullptr;
}

const std::vector<InstancePtr> *Computer::instancesOf(std::string_view className) const {
  auto it = instances.find(lowerText(className));
  return it == instances.end() ? nullptr : &it->second;
}

int32_t Computer::utcOffsetMinutes() const {
  const auto *zones = instancesOf("Win32_TimeZone");
  if (!zones || zones->empty()) return 0;
  const Value *bias = zones->front()->props.find("Bias");
  double minutes = 0;
  if (!bias || !bias->toNumber(minutes)) return 0;
  return static_cast<int32_t>(minutes);
}

const ClassSchema *Fleet::findClass(std::string_view name) const {
  for (const auto &c : classes)
    if (equalsNoCase(c.name, name)) return &c;
  return nullptr;
}

Computer *Fleet::findComputer(std::string_view name) const {
  for (const auto &c : computers)
    if (equalsNoCase(c->name, name)) return c.get();
  return nullptr;
}

Computer *Fleet::localComputer() const {
  for (const auto &c : computers)
    if (c->local) return c.get();
  return nullptr;
}

Computer *Fleet::reach(std::string_view name, const LocalNames &local) const {
  if (Computer *c = findComputer(name)) return c;
  if (name == "." || equalsNoCase(name, "localhost") || name == "127.0.0.1" ||
      (!local.computer.empty() && equalsNoCase(name, local.computer))) {
    return localComputer();
  }
  return nullptr;
}

DirNodePtr Fleet::workgroup(std::string_view name, const LocalNames &local) const {
  if (DirNodePtr node = winntRoot->child(name, "Domain")) return node;
  if (!local.workgroup.empty() && equalsNoCase(name, local.workgroup)) {
    if (Computer *c = localComputer()) return winntRoot->child(c->workgroup, "Domain");
  }
  return nullptr;
}

} // namespace qv::lab
