#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "core/json_text.hpp"
#include "iis/iis_site.hpp"

namespace qv {
namespace {

// A site inside a result is written with its 24 properties under their
// automation names, in the interface's order, its bindings expanded.
TEST(SiteJsonTest, ASiteIsItsPropertiesWithItsBindings) {
  auto site = std::make_shared<IisSite>(Platform{});
  auto bindings = std::make_shared<Collection>();
  auto binding = newRecord();
  binding->add(Variant("10.0.0.5"), "ip");
  binding->add(Variant(int32_t{8080}), "port");
  binding->add(Variant("intranet.corp"), "host");
  bindings->add(Variant(binding), "1");
  site->settings.bindings = bindings;
  site->settings.description = "Intranet";
  site->settings.accessRead = true;
  site->settings.size = 1536.5;
  site->settings.id = 2;

  ResultCollection sites;
  sites.add(Variant(site));
  sites.add(Variant(std::make_shared<IisSite>(Platform{}))); // never filled: no bindings
  auto json = nlohmann::ordered_json::parse(toJson(*sites.collection()));

  std::vector<std::string> names;
  for (auto &[name, value] : json["1"].items())
    names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{"hostBindings",
                                             "aspScriptLanguage",
                                             "aspScriptTimeout",
                                             "aspBufferingOn",
                                             "frontpageWeb",
                                             "enableDirBrowsing",
                                             "accessSource",
                                             "accessWrite",
                                             "accessRead",
                                             "aspSessionTimeout",
                                             "authAnonymous",
                                             "anonymousUserName",
                                             "path",
                                             "Process",
                                             "appIsolated",
                                             "executeLevel",
                                             "execute",
                                             "AccessExecute",
                                             "accessScript",
                                             "stateString",
                                             "state",
                                             "sitename",
                                             "size",
                                             "id"}));
  EXPECT_EQ(json["1"]["hostBindings"]["1"].dump(), R"({"ip":"10.0.0.5","port":8080,"host":"intranet.corp"})");
  EXPECT_EQ(json["1"]["sitename"], "Intranet");
  EXPECT_EQ(json["1"]["accessRead"], true);
  EXPECT_EQ(json["1"]["size"], 1536.5);
  EXPECT_EQ(json["1"]["id"], 2);
  EXPECT_TRUE(json["2"]["hostBindings"].is_null());
}

} // namespace
} // namespace qv
