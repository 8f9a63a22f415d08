#pragma once
// One computer's IIS metabase in the directory fake: the web service node,
// sites with a root directory of plain settings, virtual directories, ISAPI
// filters and the backup store, reachable by the paths the provider answers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/platform.hpp"
#include "core/portable_regional.hpp"
#include "iis/iis_paths.hpp"
#include "tests/fakes/fake_directory.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {

inline Variant list(std::vector<std::string> texts) {
  VariantArray array;
  for (auto &text : texts)
    array.items.emplace_back(std::move(text));
  return Variant(std::move(array));
}

struct Backup {
  std::string location;
  int32_t version;
  Date date;
};

inline constexpr int32_t kNoMoreItems = static_cast<int32_t>(0x80070103);

class FakeIis {
public:
  explicit FakeIis(std::string computerName = "web1",
                   std::shared_ptr<const Regional> style = PortableRegional::english())
      : computer(std::move(computerName)), regional(std::move(style)) {
    service = directory->add(webServicePath(computer), "IIsWebService", "W3SVC");
    metabase = directory->add(iisComputerPath(computer), "IIsComputer", "LM");
    metabase->method("EnumBackups", [this](fake::DirObject &, std::vector<Variant> &args) {
      enumCalls.push_back(args);
      auto index = static_cast<std::size_t>(args.at(1).int32());
      if (index == refuseIndex)
        throw fake::adsError(static_cast<int32_t>(0x80070005), "Access is denied.\r\n");
      if (index >= backups.size()) throw fake::adsError(kNoMoreItems, "No more data is available.\r\n");
      args.at(2) = Variant(backups[index].version);
      args.at(3) = Variant(backups[index].location);
      args.at(4) = Variant(backups[index].date);
      return Variant();
    });
    metabase->method("backup", [this](fake::DirObject &, std::vector<Variant> &args) {
      backupCalls.push_back(args);
      return Variant();
    });
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
    site->addChild(kVirtualDirClass, "Root")
        ->set("path", Variant("D:\\sites\\" + std::to_string(number)))
        .set("accessScript", Variant(true))
        .set("AccessExecute", Variant(false))
        .set("appIsolated", Variant(int32_t{2}))
        .set("anonymousUserName", Variant("IUSR_WEB1"))
        .set("authAnonymous", Variant(true))
        .set("accessRead", Variant(true))
        .set("accessWrite", Variant(false))
        .set("accessSource", Variant(false))
        .set("enableDirBrowsing", Variant(false))
        .set("frontpageWeb", Variant(true))
        .set("aspBufferingOn", Variant(true))
        .set("aspScriptTimeout", Variant(int32_t{90}))
        .set("aspSessionTimeout", Variant(int32_t{20}))
        .set("aspScriptLanguage", Variant("VBScript"));
    directory->add(webSitePath(computer, number), site);
    return service->addChild(site);
  }

  static fake::DirObjectPtr root(const fake::DirObjectPtr &site) {
    return std::dynamic_pointer_cast<fake::DirObject>(site->child(kVirtualDirClass, "Root"));
  }

  static void addVirtualDir(const fake::DirObjectPtr &site, const std::string &name,
                            const std::string &path) {
    root(site)->addChild(kVirtualDirClass, name)->set("Path", Variant(path));
  }

  static fake::DirObjectPtr addFilter(const fake::DirObjectPtr &site, const std::string &name) {
    fake::DirObjectPtr node;
    for (const auto &child : site->childList()) {
      if (child->className() == "IIsFilters") node = child;
    }
    if (!node) node = site->addChild("IIsFilters", "Filters");
    auto filter = node->addChild("IIsFilter", name);
    filter->set("FilterDescription", Variant(name + " filter"))
        .set("FilterPath", Variant("C:\\filters\\" + name + ".dll"))
        .set("FilterState", Variant(int32_t{1}));
    return filter;
  }

  std::string computer;
  std::shared_ptr<fake::Directory> directory = std::make_shared<fake::Directory>();
  std::shared_ptr<fake::System> system = std::make_shared<fake::System>();
  std::shared_ptr<const Regional> regional;
  fake::DirObjectPtr service;
  fake::DirObjectPtr metabase;
  std::vector<Backup> backups;
  std::size_t refuseIndex = static_cast<std::size_t>(-1); // EnumBackups refuses this index
  std::vector<std::vector<Variant>> enumCalls;
  std::vector<std::vector<Variant>> backupCalls;
};

inline const Collection &recordAt(const Collection &collection, std::string_view key) {
  return *collection[key].as<Collection>();
}

} // namespace qv::test
