#pragma once
// A small WinNT: network in the directory fake: workgroups, computers and
// their services, all reachable by the paths the provider would answer.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/collection.hpp"
#include "core/platform.hpp"
#include "core/portable_regional.hpp"
#include "core/targets.hpp"
#include "tests/fakes/fake_directory.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::test {

struct ServiceSpec {
  std::string name;
  std::string displayName;
  int32_t status = 4;
  int32_t startType = 2;
  int32_t serviceType = 16;
  Variant dependencies = Variant(); // Empty: the provider has no value to give
};

class FakeNetwork {
public:
  FakeNetwork() : root_(directory->add(kWinNtRoot, "Namespace", "WinNT:")) {}

  fake::DirObjectPtr workgroup(const std::string &wg) { return node(root_, workgroupPath(wg), "Domain", wg); }
  fake::DirObjectPtr computer(const std::string &wg, const std::string &name) {
    return node(workgroup(wg), computerPath(wg, name), "Computer", name);
  }
  // A new service object each time, with the settings given.
  fake::DirObjectPtr service(const std::string &wg, const std::string &pc, const ServiceSpec &spec) {
    auto object = std::make_shared<fake::DirObject>("Service", spec.name);
    object->set("DisplayName", Variant(spec.displayName))
        .set("status", Variant(spec.status))
        .set("StartType", Variant(spec.startType))
        .set("ServiceType", Variant(spec.serviceType))
        .set("path", Variant("C:\\Windows\\system32\\" + spec.name + ".exe"))
        .set("ServiceAccountName", Variant("LocalSystem"))
        .set("ErrorControl", Variant(int32_t{1}));
    if (!spec.dependencies.isEmpty()) object->set("Dependencies", spec.dependencies);
    return directory->add(servicePath(wg, pc, spec.name), computer(wg, pc)->addChild(object));
  }

  std::shared_ptr<fake::Directory> directory = std::make_shared<fake::Directory>();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  std::shared_ptr<const Regional> regional = PortableRegional::english();
  Platform platform{nullptr, directory, system, regional};

private:
  // The object at path, made as a child of parent the first time.
  fake::DirObjectPtr node(const fake::DirObjectPtr &parent, const std::string &path, const char *className,
                          const std::string &name) {
    auto &object = nodes_[path];
    if (!object) object = directory->add(path, parent->addChild(className, name));
    return object;
  }

  fake::DirObjectPtr root_;
  std::map<std::string, fake::DirObjectPtr> nodes_;
};

// The text of field of every record of a result, in order.
inline std::vector<std::string> column(const CollectionPtr &result, const char *field) {
  std::vector<std::string> values;
  for (const Variant &record : *result)
    values.push_back((*record.as<Collection>())[field].text());
  return values;
}

} // namespace qv::test
