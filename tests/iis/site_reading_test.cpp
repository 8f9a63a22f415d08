// Reading one site: the getSite record, the IisSite holder, the code tables,
// the binding list and the ISAPI filters.

#include <gtest/gtest.h>

#include "iis/iis.hpp"
#include "iis/iis_site.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

class SiteReading : public ::testing::Test {
protected:
  SiteReading() {
    lab.system->folders["\\\\web1\\D$\\sites\\1"] = 1000;
    lab.system->folders["\\\\web1\\E$\\images"] = 234;
    FakeIis::addVirtualDir(site, "images", "E:\\images");
    FakeIis::addFilter(site, "compress");
    reader.setComputerName("web1");
    reader.setSiteId(1);
  }
  CollectionPtr record() { return reader.getSite(); }
  std::shared_ptr<IisSite> holder() { return IisSite(lab.platform()).getSiteById("web1", 1); }

  FakeIis lab;
  fake::DirObjectPtr site =
      lab.addSite(1, "Default Web Site", {":80:", "10.0.0.5:8080:www.example.test"}, {":443:"});
  iis reader{lab.platform()};
};

TEST_F(SiteReading, GetSiteGivesTheKeysInOrderWithTheirKinds) {
  auto rec = record();
  EXPECT_EQ(keysOf(*rec), (std::vector<std::string>{"Size",
                                                    "siteId",
                                                    "name",
                                                    "statusId",
                                                    "ISAPIFilters",
                                                    "Bindings",
                                                    "status",
                                                    "ExecuteLevel",
                                                    "Execute",
                                                    "Process",
                                                    "path",
                                                    "SiteAnonUser",
                                                    "AllowAnonymous",
                                                    "SessionTimeout",
                                                    "ReadAccess",
                                                    "WriteAccess",
                                                    "SourceAccess",
                                                    "ProcessLevel",
                                                    "DirectoryBrowsing",
                                                    "FrontPageEnabled",
                                                    "ASPbuffer",
                                                    "AspScriptTimeout",
                                                    "AspSessionTimeout",
                                                    "AspScriptLanguage"}));
  const Collection &r = *rec;
  EXPECT_EQ(r["Size"], Variant(1234.0));
  EXPECT_EQ(r["siteId"], Variant(int32_t{1}));
  EXPECT_EQ(r["name"], Variant("Default Web Site"));
  EXPECT_EQ(r["statusId"], Variant(int32_t{2}));
  EXPECT_EQ(r["status"], Variant("Running"));
  EXPECT_EQ(r["ExecuteLevel"], Variant(int32_t{2}));
  EXPECT_EQ(r["Execute"], Variant("Scripts only"));
  EXPECT_EQ(r["Process"], Variant("Medium (pooled)"));
  EXPECT_EQ(r["path"], Variant("D:\\sites\\1"));
  EXPECT_EQ(r["SiteAnonUser"], Variant("IUSR_WEB1"));
  EXPECT_EQ(r["AllowAnonymous"], Variant(true));
  EXPECT_EQ(r["SessionTimeout"], Variant(int32_t{20}));
  EXPECT_EQ(r["AspSessionTimeout"], Variant(int32_t{20}));
  EXPECT_EQ(r["ProcessLevel"], Variant(int32_t{2}));
  EXPECT_EQ(r["FrontPageEnabled"], Variant(true));
  EXPECT_EQ(r["AspScriptTimeout"], Variant(int32_t{90}));
  EXPECT_EQ(r["AspScriptLanguage"], Variant("VBScript"));

  const Collection &filter = recordAt(*r["ISAPIFilters"].as<Collection>(), "0");
  EXPECT_EQ(keysOf(filter), (std::vector<std::string>{"Filter", "Description", "Path", "State"}));
  EXPECT_EQ(filter["Filter"], Variant("compress"));
  EXPECT_EQ(filter["State"], Variant(int32_t{1}));
}

TEST_F(SiteReading, BindingsNumberServerThenSecureWithTheirPortKinds) {
  struct Case {
    std::vector<std::string> server, secure;
    std::vector<std::string> keys;
    std::vector<Variant> ports;
  };
  const std::vector<Case> cases = {
      {{":80:", "10.0.0.5:8080:www.example.test"},
       {":443:"},
       {"0", "1", "2"},
       {int32_t{80}, int32_t{8080}, "443"}},
      {{}, {"10.0.0.5:443:secure.test", ":444:"}, {"0", "1"}, {"443", "444"}},
      {{":81:"}, {}, {"0"}, {int32_t{81}}},
      {{}, {}, {}, {}},
  };
  for (const auto &c : cases) {
    site->set("ServerBindings", list(c.server)).set("SecureBindings", list(c.secure));
    auto fromRecord = (*record())["Bindings"].as<Collection>();
    auto fromHolder = holder()->hostBindings();
    for (const auto &bindings : {fromRecord, fromHolder}) {
      ASSERT_EQ(keysOf(*bindings), c.keys);
      for (std::size_t i = 0; i < c.keys.size(); ++i) {
        const Collection &b = recordAt(*bindings, c.keys[i]);
        EXPECT_EQ(keysOf(b), (std::vector<std::string>{"ip", "port", "host"}));
        EXPECT_EQ(b["port"], c.ports[i]) << c.keys[i];
      }
    }
  }
  site->set("ServerBindings", list({"10.0.0.5:8080:www.example.test"}));
  auto rec = record();
  const Collection &b = recordAt(*(*rec)["Bindings"].as<Collection>(), "0");
  EXPECT_EQ(b["ip"], Variant("10.0.0.5"));
  EXPECT_EQ(b["host"], Variant("www.example.test"));
}

TEST_F(SiteReading, BadBindingsFailBothReadersWithTheMessagesStacked) {
  struct Case {
    const char *what;
    Variant server, secure;
    int32_t number;
    std::string cause;
  };
  const std::vector<Case> cases = {
      {"too few parts", list({"10.0.0.5:80"}), list({}), kSubscriptOutOfRange, "Subscript out of range"},
      {"secure too few parts", list({}), list({":443"}), kSubscriptOutOfRange, "Subscript out of range"},
      {"port not a number", list({":http:"}), list({}), kTypeMismatch, "Type mismatch"},
      {"not a list", Variant(":80:"), list({}), kTypeMismatch, "Type mismatch"},
      {"no secure list", list({":80:"}), Variant(), kTypeMismatch, "Type mismatch"},
  };
  const std::string inner = "Error with Olvesk.IisMonitor.getServerBindings: ";
  for (const auto &c : cases) {
    site->set("ServerBindings", c.server).set("SecureBindings", c.secure);
    auto e = failureOf([&] { record(); });
    EXPECT_EQ(e.number(), c.number) << c.what;
    EXPECT_EQ(e.description(), "Error with Quorvane.Iis.getSite: " + inner + c.cause) << c.what;
    e = failureOf([&] { holder(); });
    EXPECT_EQ(e.description(), "Error with Quorvane.IisSite.getSiteById: " + inner + c.cause) << c.what;
  }
}

TEST_F(SiteReading, CodeTablesInBothShapes) {
  struct StateCase {
    int32_t code;
    const char *text; // null: outside the table
  };
  for (const auto &c : std::vector<StateCase>{{2, "Running"},
                                              {4, "Stopped"},
                                              {6, "Paused"},
                                              {1, nullptr},
                                              {3, nullptr},
                                              {5, nullptr},
                                              {7, nullptr}}) {
    site->set("ServerState", Variant(c.code));
    auto rec = record();
    EXPECT_EQ((*rec)["statusId"], Variant(c.code));
    EXPECT_EQ(rec->contains("status"), c.text != nullptr) << c.code;
    if (c.text) {
      EXPECT_EQ((*rec)["status"], Variant(c.text));
    }
    EXPECT_EQ(holder()->stateString(), c.text ? c.text : "Unknown state") << c.code;
  }
  for (const auto &c : std::vector<StateCase>{{0, "Low (IIS Process)"},
                                              {1, "High (isolated)"},
                                              {2, "Medium (pooled)"},
                                              {3, nullptr},
                                              {-1, nullptr}}) {
    FakeIis::root(site)->set("appIsolated", Variant(c.code));
    auto rec = record();
    EXPECT_EQ((*rec)["ProcessLevel"], Variant(c.code));
    EXPECT_EQ(rec->contains("Process"), c.text != nullptr) << c.code;
    if (c.text) {
      EXPECT_EQ((*rec)["Process"], Variant(c.text));
    }
    EXPECT_EQ(holder()->Process(), c.text ? c.text : "Unknown process level") << c.code;
  }
  struct ExecuteCase {
    bool script, execute;
    int32_t level;
    const char *text;
  };
  for (const auto &c : std::vector<ExecuteCase>{{true, false, 2, "Scripts only"},
                                                {true, true, 3, "Scripts and Executables"},
                                                {false, true, 1, "None"},
                                                {false, false, 1, "None"}}) {
    FakeIis::root(site)->set("accessScript", Variant(c.script)).set("AccessExecute", Variant(c.execute));
    auto rec = record();
    EXPECT_EQ((*rec)["ExecuteLevel"], Variant(c.level));
    EXPECT_EQ((*rec)["Execute"], Variant(c.text));
    auto h = holder();
    EXPECT_EQ(h->executeLevel(), c.level);
    EXPECT_EQ(h->execute(), c.text);
  }
}

TEST_F(SiteReading, FailuresAndObjectsOfAnotherClass) {
  iis unset(lab.platform());
  unset.setComputerName("web1");
  auto e = failureOf([&] { unset.getSite(); });
  EXPECT_EQ(e.number(), fake::kAdsBadPath);
  EXPECT_EQ(e.description(), "Error with Quorvane.Iis.getSite: An invalid directory pathname was passed");
  EXPECT_EQ(lab.directory->binds.back(), "IIS://web1/W3svc/0");

  // A missing home path fails inside the size, both messages kept.
  FakeIis::root(site)->failRead("path", runtimeError(kNoSuchMember));
  e = failureOf([&] { record(); });
  EXPECT_EQ(e.description(), "Error with Quorvane.Iis.getSite: Error with quorvane.IisTool.getSiteSize: "
                             "Object doesn't support this property or method");

  // The class is compared exactly.
  for (const char *other : {"IIsWebVirtualDir", "iiswebserver"}) {
    lab.directory->add("IIS://web1/W3svc/9", other, "9");
    reader.setSiteId(9);
    EXPECT_EQ(record()->count(), 0) << other;
    auto empty = IisSite(lab.platform()).getSiteById("web1", 9);
    EXPECT_EQ(empty->id(), 0);
    EXPECT_EQ(empty->hostBindings(), nullptr);
  }
}

TEST_F(SiteReading, FiltersMissingOrPartlyUnreadable) {
  auto bad = FakeIis::addFilter(site, "broken");
  bad->failRead("FilterPath", fake::adsError(fake::kNoChild, "gone"));
  auto filters = (*record())["ISAPIFilters"].as<Collection>();
  ASSERT_EQ(keysOf(*filters), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(keysOf(recordAt(*filters, "1")), (std::vector<std::string>{"Filter", "Description", "State"}));

  auto plain = lab.addSite(2, "No filters");
  reader.setSiteId(2);
  EXPECT_EQ((*record())["ISAPIFilters"].as<Collection>()->count(), 0);
}

TEST(IisSiteHolder, StartsEmptyKeepsWhatIsSetAndGetSiteByIdLeavesItAlone) {
  FakeIis lab;
  lab.addSite(3, "Shop", {":80:"});
  lab.system->folders["\\\\web1\\D$\\sites\\3"] = 77;
  IisSite site(lab.platform());
  EXPECT_EQ(site.hostBindings(), nullptr);
  EXPECT_EQ(site.aspScriptLanguage(), "");
  EXPECT_EQ(site.aspScriptTimeout(), 0);
  EXPECT_FALSE(site.accessRead());
  EXPECT_EQ(site.size(), 0.0);
  EXPECT_EQ(site.id(), 0);

  auto bindings = std::make_shared<Collection>();
  site.setHostBindings(bindings);
  site.setSitename("by hand");
  site.setId(42);
  bindings->add(Variant("later"));
  EXPECT_EQ(site.hostBindings(), bindings) << "shared, not copied";
  EXPECT_EQ(site.hostBindings()->count(), 1);

  auto fetched = site.getSiteById("web1", 3);
  EXPECT_NE(fetched.get(), &site);
  EXPECT_EQ(site.sitename(), "by hand");
  EXPECT_EQ(site.id(), 42);
  EXPECT_EQ(fetched->id(), 3);
  EXPECT_EQ(fetched->sitename(), "Shop");
  EXPECT_EQ(fetched->size(), 77.0);
  EXPECT_EQ(fetched->path(), "D:\\sites\\3");
  EXPECT_EQ(fetched->aspSessionTimeout(), 20);
  EXPECT_TRUE(fetched->AccessExecute() == false && fetched->accessScript());
  EXPECT_EQ(fetched->hostBindings()->count(), 1);
}

} // namespace
} // namespace qv::test
