#pragma once
// One computer's IIS metabase in the directory fake: the web service node,
// sites with a root directory of plain settings and virtual directories, and
// the metabase node that keeps the backups, reachable by the paths the
// provider answers.

#include <memory>
#include <string>
#include <vector>

#include "core/platform.hpp"
#include "core/portable_regional.hpp"
#include "iis/iis_paths.hpp"
#include "tests/fakes/fake_directory.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::test {

inline Variant list(std::vector<std::string> texts) {
  VariantArray array;
  for (auto &text : texts)
    array.items.emplace_back(std::move(text));
  return Variant(std::move(array));
}

class FakeIis {
public:
  explicit FakeIis(std::string computerName = "web1",
                   std::shared_ptr<const Regional> style = PortableRegional::english())
      : computer(std::move(computerName)), regional(std::move(style)) {
    service = directory->add(webServicePath(computer), "IIsWebService", "W3SVC");
    metabase = directory->add(iisComputerPath(computer), "IIsComputer", "LM");
  }

  Platform platform() const { return Platform{nullptr, directory, system, regional}; }

  // A site with one server binding and a root directory whose home folder is
  // D:\sites\<number>.
  fake::DirObjectPtr addSite(int32_t number, const std::string &description,
                             const std::vector<std::string> &serverBindings = {":80:"},
                             const std::vector<std::string> &secureBindings = {}) {
    auto site = std::make_shared<fake::DirObject>(kWebServerClass, std::to_string(number));
    site->set("ServerComment", Variant(description))
        .set("ServerState", Variant(int32_t{2}))
        .set("ServerBindings", list(serverBindings))
        .set("SecureBindings", list(secureBindings));
    // Settings: every flag off, every number 2.
    auto root = site->addChild(kVirtualDirClass, "Root");
    root->set("path", Variant("D:\\sites\\" + std::to_string(number)))
        .set("anonymousUserName", Variant("IUSR_WEB1"))
        .set("aspScriptLanguage", Variant("VBScript"));
    for (const char *flag : {"accessScript", "AccessExecute", "authAnonymous", "accessRead", "accessWrite",
                             "accessSource", "enableDirBrowsing", "frontpageWeb", "aspBufferingOn"})
      root->set(flag, Variant(false));
    for (const char *count : {"appIsolated", "aspScriptTimeout", "aspSessionTimeout"})
      root->set(count, Variant(int32_t{2}));
    directory->add(webSitePath(computer, number), site);
    return service->addChild(site);
  }

  static fake::DirObjectPtr root(const fake::DirObjectPtr &site) {
    return std::dynamic_pointer_cast<fake::DirObject>(site->child(kVirtualDirClass, "Root"));
  }

  static fake::DirObjectPtr addVirtualDir(const fake::DirObjectPtr &site, const std::string &name,
                                          const std::string &path) {
    auto directory = root(site)->addChild(kVirtualDirClass, name);
    directory->set("Path", Variant(path));
    return directory;
  }

  std::string computer;
  std::shared_ptr<fake::Directory> directory = std::make_shared<fake::Directory>();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  std::shared_ptr<const Regional> regional;
  fake::DirObjectPtr service;
  fake::DirObjectPtr metabase;
};

} // namespace qv::test
