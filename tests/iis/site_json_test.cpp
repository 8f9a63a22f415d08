#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "core/json_text.hpp"
#include "iis/iis_site.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

// A site inside a result is written with its 24 properties under their
// automation names, in the interface's order, its bindings expanded.
TEST(SiteJsonTest, ASiteIsItsPropertiesWithItsBindings) {
  auto site = std::make_shared<IisSite>(Platform{});
  auto binding = newRecord();
  binding->add(Variant("10.0.0.5"), "ip");
  binding->add(Variant(int32_t{8080}), "port");
  auto bindings = std::make_shared<Collection>();
  bindings->add(Variant(binding), "1");
  site->settings.bindings = bindings;
  site->settings.description = "Intranet";
  site->settings.size = 1536.5;
  site->processText = "Pooled";

  ResultCollection sites;
  sites.add(Variant(site));
  sites.add(Variant(std::make_shared<IisSite>(Platform{}))); // never filled: no bindings
  auto json = nlohmann::ordered_json::parse(toJson(*sites.collection()));
  std::vector<std::string> names;
  for (auto &[name, value] : json["1"].items())
    names.push_back(name);
  EXPECT_EQ(names,
            words("hostBindings aspScriptLanguage aspScriptTimeout aspBufferingOn frontpageWeb "
                  "enableDirBrowsing accessSource accessWrite accessRead aspSessionTimeout authAnonymous "
                  "anonymousUserName path Process appIsolated executeLevel execute AccessExecute "
                  "accessScript stateString state sitename size id"));
  EXPECT_EQ(json["1"]["hostBindings"]["1"].dump(), R"({"ip":"10.0.0.5","port":8080})");
  EXPECT_EQ(json["1"]["sitename"], "Intranet");
  EXPECT_EQ(json["1"]["Process"], "Pooled");
  EXPECT_EQ(json["1"]["size"], 1536.5);
  EXPECT_TRUE(json["2"]["hostBindings"].is_null());
}

} // namespace
} // namespace qv::test
