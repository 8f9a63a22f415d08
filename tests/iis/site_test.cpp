// Reading, finding, measuring, restarting and writing sites. The lab shows the
// ordinary listings and readings end to end; these are the edges.

#include <gtest/gtest.h>

#include "core/json_text.hpp"
#include "iis/code_tables.hpp"
#include "iis/iis.hpp"
#include "iis/iis_common.hpp"
#include "iis/iis_site.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {
namespace {

class SiteTest : public ::testing::Test {
protected:
  SiteTest() {
    lab.system->folders["\\\\web1\\D$\\sites\\1"] = 1000;
    reader.setComputerName("web1");
    reader.setSiteId(1);
  }
  std::shared_ptr<IisSite> holder() { return IisSite(lab.platform()).getSiteById("web1", 1); }

  FakeIis lab;
  fake::DirObjectPtr site = lab.addSite(1, "Default Web Site");
  Iis reader{lab.platform()};
};

TEST_F(SiteTest, BindingsNumberServerThenSecureAndEmptyOrNullSecureMeansNone) {
  const std::string only80 = R"({"0":{"ip":"","port":80,"host":""}})";
  const std::string any443 = R"("2":{"ip":"","port":"443","host":""}})";
  const std::tuple<std::vector<std::string>, Variant, std::string> cases[] = {
      {{":80:", "10.0.0.5:8080:a.test"},
       list({":443:"}),
       R"({"0":{"ip":"","port":80,"host":""},"1":{"ip":"10.0.0.5","port":8080,"host":"a.test"},)" + any443},
      {{}, list({"10.0.0.5:443:b.test"}), R"({"0":{"ip":"10.0.0.5","port":"443","host":"b.test"}})"},
      {{":80:"}, Variant(), only80},
      {{":80:"}, Variant::null(), only80},
      // The documented "IP:Port" form of a secure binding has no host part.
      {{"10.0.0.5:80"},
       list({"10.0.0.5:443", ":443"}),
       R"({"0":{"ip":"10.0.0.5","port":80,"host":""},"1":{"ip":"10.0.0.5","port":"443","host":""},)" +
           any443},
  };
  for (const auto &[server, secure, expected] : cases) {
    site->set("ServerBindings", list(server)).set("SecureBindings", secure);
    EXPECT_EQ(toJson(*(*reader.getSite())["Bindings"].as<Collection>()), expected);
  }
}

TEST_F(SiteTest, BadBindingsFailWithTheMessagesStacked) {
  const std::tuple<Variant, Variant, int32_t, std::string> cases[] = {
      {list({"10.0.0.5"}), list({}), kSubscriptOutOfRange, "Subscript out of range"},
      {list({}), list({"443"}), kSubscriptOutOfRange, "Subscript out of range"},
      {list({":http:"}), list({}), kTypeMismatch, "Type mismatch"},
      {list({":80:"}), Variant(":443:"), kTypeMismatch, "Type mismatch"}, // not a list
      {Variant(VariantArray{1, {Variant(":80:")}}), list({}), kSubscriptOutOfRange, "Subscript out of range"},
  };
  const std::string inner = "Error with Olvesk.IisMonitor.getServerBindings: ";
  for (const auto &[server, secure, number, cause] : cases) {
    site->set("ServerBindings", server).set("SecureBindings", secure);
    EXPECT_EQ(raisedBy([&] { reader.getSite(); }),
              Raised(number, std::string("Error with Quorvane.Iis.getSite: ").append(inner).append(cause)));
  }
}

TEST_F(SiteTest, CodesOutsideTheTablesAreAMissingKeyOrAnUnknownText) {
  site->set("ServerState", Variant(int32_t{3}));
  FakeIis::root(site)->set("appIsolated", Variant(int32_t{-1}));
  auto rec = reader.getSite();
  EXPECT_EQ((*rec)["statusId"], Variant(int32_t{3}));
  EXPECT_EQ((*rec)["ProcessLevel"], Variant(int32_t{-1}));
  EXPECT_FALSE(rec->contains("status") || rec->contains("Process"));
  EXPECT_EQ(holder()->stateText, "Unknown state");
  EXPECT_EQ(holder()->processText, "Unknown process level");
  // Each setting from its own property: neighbours differ.
  for (const char *flag : {"authAnonymous", "accessWrite", "enableDirBrowsing", "aspBufferingOn"})
    FakeIis::root(site)->set(flag, true);
  FakeIis::root(site)->set("aspScriptTimeout", int32_t{90}).set("aspSessionTimeout", int32_t{20});
  // The record carries each setting under its own key.
  rec = reader.getSite();
  std::vector<Variant> values;
  for (const auto &key :
       words("AllowAnonymous ReadAccess WriteAccess SourceAccess DirectoryBrowsing FrontPageEnabled "
             "ASPbuffer ProcessLevel AspScriptTimeout AspSessionTimeout SessionTimeout path "
             "SiteAnonUser AspScriptLanguage"))
    values.push_back((*rec)[key]);
  EXPECT_EQ(values,
            (std::vector<Variant>{true, false, true, false, true, false, true, int32_t{-1}, int32_t{90},
                                  int32_t{20}, int32_t{20}, "D:\\sites\\1", "IUSR_WEB1", "VBScript"}));
  // Scripts allowed, executables allowed: executables only together with scripts.
  const std::tuple<bool, bool, int32_t, const char *> executes[] = {
      {false, false, 1, "None"},
      {false, true, 1, "None"},
      {true, false, 2, "Scripts only"},
      {true, true, 3, "Scripts and Executables"}};
  for (const auto &[script, execute, level, text] : executes) {
    EXPECT_EQ(executeLevelFor(script, execute).level, level) << script << execute;
    EXPECT_EQ(executeLevelFor(script, execute).text, text) << script << execute;
  }
  using Text = std::optional<std::string>;
  const std::tuple<int32_t, Text, Text> codes[] = {{-1, {}, {}},
                                                   {0, {}, "Low (IIS Process)"},
                                                   {1, {}, "High (isolated)"},
                                                   {2, "Running", "Medium (pooled)"},
                                                   {3, {}, {}},
                                                   {4, "Stopped", {}},
                                                   {5, {}, {}},
                                                   {6, "Paused", {}},
                                                   {7, {}, {}}};
  for (const auto &[code, state, level] : codes)
    EXPECT_EQ(std::pair(stateText(code), processLevelText(code)), std::pair(state, level)) << code;
}

TEST_F(SiteTest, FailuresKeepEveryMessageAndObjectsOfAnotherClassAreNoSite) {
  // A missing home path fails inside the size, every message kept.
  FakeIis::root(site)->failRead("path", runtimeError(kNoSuchMember));
  EXPECT_EQ(failureOf([&] { reader.getSitesExtended(); }).description(),
            "Error with Quorvane.Iis.getSitesExtended: Error with Quorvane.IisSite.getSiteById: "
            "Error with quorvane.IisTool.getSiteSize: Object doesn't support this property or method");

  for (const char *other : {"IIsWebVirtualDir", "iiswebserver"}) { // the class is compared exactly
    lab.directory->add("IIS://web1/W3svc/9", other, "9");
    reader.setSiteId(9);
    EXPECT_EQ(reader.getSite()->count(), 0) << other;
    EXPECT_EQ(IisSite(lab.platform()).getSiteById("web1", 9)->settings.id, 0);
  }
}

TEST(FindSite, NumberFirstThenSiteBySiteDescriptionOrFirstBinding) {
  EXPECT_EQ(splitBinding("a:b:c:d"), (std::array<std::string, 3>{"a", "b", "c:d"}));
  EXPECT_EQ(failureOf([&] { splitBinding("a:b"); }).number(), kInvalidCall);

  FakeIis lab;
  lab.addSite(1, "Alpha");
  lab.addSite(2, "1"); // a description that reads like another site's number
  lab.service->addChild("IIsFilters", "Filters")->set("ServerComment", Variant("Shop"));
  lab.addSite(3, "Gamma", {"unsplittable"});
  lab.addSite(4, "Delta", {"10.0.0.5:80:", "10.0.0.6:80:"});
  lab.addSite(5, "10.0.0.5");
  lab.addSite(6, "Shop", {"10.0.0.9:80:www.shop.test"});
  lab.addSite(7, "Shop");
  lab.addSite(8, "10.0.0.6");
  const std::pair<const char *, const char *> cases[] = {
      {"1", "1"},        {"Gamma", "3"},         {"10.0.0.5", "4"}, // earlier site by binding wins
      {"10.0.0.6", "8"},                                            // only the first binding counts
      {"Shop", "6"},     {"www.shop.test", "6"}, {"shop", nullptr}, // exact comparison
  };
  for (const auto &[name, expected] : cases) {
    auto found = findSite(lab.platform(), "web1", name);
    EXPECT_EQ(found ? found->get("Name") : Variant(), expected ? Variant(expected) : Variant()) << name;
  }
  EXPECT_EQ(findSite(lab.platform(), "unreachable", "1"), nullptr);
}

TEST(SiteSize, HomeAndDirectVirtualDirectoriesThroughTheRightPathByTheSitesOwnNumber) {
  const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
      // computer, then the paths the sizes are read from
      {" localhost ", "D:\\sites\\2", "E:\\images", "G:\\gone"},
      {"LOCALHOST", "\\\\LOCALHOST\\D$\\sites\\2", "\\\\LOCALHOST\\E$\\images", "\\\\LOCALHOST\\G$\\gone"},
  };
  for (const auto &[computer, home, images, gone] : cases) {
    FakeIis lab(computer);
    lab.addSite(1, "Shop");
    auto site = lab.addSite(2, "Shop"); // the same description: measured by number
    FakeIis::addVirtualDir(site, "images", "E:\\images")
        ->addChild(kVirtualDirClass, "deeper")
        ->set("Path", "H:\\deep");                    // below the root's direct children: not visited
    FakeIis::addVirtualDir(site, "gone", "G:\\gone"); // unreadable: adds nothing
    lab.system->folders[home] = 1000;
    lab.system->folders[images] = 20;
    EXPECT_EQ(IisSite(lab.platform()).getSiteById(computer, 2)->settings.size, 1020.0) << computer;
    EXPECT_EQ(lab.system->folderReads, (std::vector<std::string>{home, images, gone}));
    EXPECT_EQ(failureOf([&] { IisTool(lab.platform()).getSiteSize("No such site"); }).number(),
              kObjectNotSet);
  }
}

TEST_F(SiteTest, RestartStopsThenStartsAndNotAfterAFailedStop) {
  bool refuseStop = false;
  site->method("Stop", [&](fake::DirObject &, std::vector<Variant> &) {
    if (refuseStop) throw fake::adsError(static_cast<int32_t>(0x80070015), "refused");
    return Variant();
  });
  site->method("start", [](fake::DirObject &, std::vector<Variant> &) { return Variant(); });
  reader.restartSite();
  refuseStop = true;
  EXPECT_EQ(failureOf([&] { reader.restartSite(); }).description(), "Error in Iis.stopIIS: refused");
  EXPECT_EQ(*lab.directory->journal, (std::vector<std::string>{"1.Stop", "1.start", "1.Stop"}));
}

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
