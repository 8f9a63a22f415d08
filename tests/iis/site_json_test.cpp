#include <gtest/gtest.h>

#include "core/json_text.hpp"
#include "iis/iis_site.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

// A site inside a result is written with its 24 properties under their
// automation names, in the interface's order, its bindings expanded; one
// never filled has Null bindings.
TEST(SiteJsonTest, ASiteIsItsPropertiesWithItsBindings) {
  auto site = std::make_shared<IisSite>(Platform{});
  auto bindings = std::make_shared<Collection>();
  bindings->add(Variant("10.0.0.5:80:"), "1");
  site->settings.bindings = bindings;
  site->settings.description = "Intranet";
  site->settings.size = 1536.5;
  site->settings.aspScriptTimeout = 90;
  site->settings.accessSource = true;
  site->processText = "Pooled";

  ResultCollection sites;
  sites.add(Variant(site));
  sites.add(Variant(std::make_shared<IisSite>(Platform{})));
  const std::string rest =
      R"("aspScriptLanguage":"","aspScriptTimeout":90,"aspBufferingOn":false,"frontpageWeb":false,)"
      R"("enableDirBrowsing":false,"accessSource":true,"accessWrite":false,"accessRead":false,)"
      R"("aspSessionTimeout":0,"authAnonymous":false,"anonymousUserName":"","path":"","Process":"Pooled",)"
      R"("appIsolated":0,"executeLevel":0,"execute":"","AccessExecute":false,"accessScript":false,)"
      R"("stateString":"","state":0,"sitename":"Intranet","size":1536.5,"id":0})";
  const std::string json = toJson(*sites.collection());
  EXPECT_EQ(json.substr(0, json.find("},\"2\":") + 1),
            R"({"1":{"hostBindings":{"1":"10.0.0.5:80:"},)" + rest);
  EXPECT_NE(json.find(R"("2":{"hostBindings":null,)"), std::string::npos);
}

} // namespace
} // namespace qv::test
