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
  Iis reader{lab.platform()};
};

TEST_F(SiteReading, GetSiteGivesTheKeysInOrderWithTheirKinds) {
  auto rec = record();
  EXPECT_EQ(keysOf(*rec),
            words("Size siteId name statusId ISAPIFilters Bindings status ExecuteLevel Execute "
                  "Process path SiteAnonUser AllowAnonymous SessionTimeout ReadAccess WriteAccess "
                  "SourceAccess ProcessLevel DirectoryBrowsing FrontPageEnabled ASPbuffer "
                  "AspScriptTimeout AspSessionTimeout AspScriptLanguage"));
  const Collection &r = *rec;
  EXPECT_EQ(r["Size"], Variant(1234.0));
  EXPECT_EQ(r["siteId"], Variant(int32_t{1}));
  EXPECT_EQ(r["name"], Variant("Default Web Site"));
  EXPECT_EQ(r["SessionTimeout"], Variant(int32_t{20}));
  EXPECT_EQ(r["AspSessionTimeout"], Variant(int32_t{20}));
  EXPECT_EQ(r["AllowAnonymous"], Variant(true));
  EXPECT_EQ(r["path"], Variant("D:\\sites\\1"));
  const Collection &filter = recordAt(*r["ISAPIFilters"].as<Collection>(), "0");
  EXPECT_EQ(keysOf(filter), words("Filter Description Path State"));
  EXPECT_EQ(filter["State"], Variant(int32_t{1}));
}

TEST_F(SiteReading, BindingsNumberServerThenSecureWithTheirPortKinds) {
  struct Case {
    std::vector<std::string> server;
    Variant secure;
    std::vector<std::vector<Variant>> expected; // ip, port, host; keyed "0", "1", ...
  };
  const std::vector<Case> cases = {
      {{":80:", "10.0.0.5:8080:www.example.test"},
       list({":443:"}),
       {{"", int32_t{80}, ""}, {"10.0.0.5", int32_t{8080}, "www.example.test"}, {"", "443", ""}}},
      {{},
       list({"10.0.0.5:443:secure.test", ":444:"}),
       {{"10.0.0.5", "443", "secure.test"}, {"", "444", ""}}},
      {{}, list({}), {}},
      {{":80:"}, Variant(), {{"", int32_t{80}, ""}}}, // no secure bindings at all: Empty
      {{":80:"}, Variant::null(), {{"", int32_t{80}, ""}}},
  };
  for (const auto &c : cases) {
    site->set("ServerBindings", list(c.server)).set("SecureBindings", c.secure);
    auto rec = record();
    for (const CollectionPtr &bindings :
         {rec->item(std::string_view("Bindings")).as<Collection>(),
          std::dynamic_pointer_cast<Collection>(holder()->settings.bindings)}) {
      ASSERT_EQ(bindings->size(), c.expected.size());
      for (std::size_t i = 0; i < c.expected.size(); ++i) {
        const Collection &b = recordAt(*bindings, std::to_string(i));
        EXPECT_EQ(keysOf(b), words("ip port host"));
        for (std::size_t part = 0; part < 3; ++part)
          EXPECT_EQ(b[part + 1], c.expected[i][part]) << i << "/" << part;
      }
    }
  }
}

TEST_F(SiteReading, BadBindingsFailBothReadersWithTheMessagesStacked) {
  struct Case {
    Variant server, secure;
    int32_t number;
    std::string cause;
  };
  const std::vector<Case> cases = {
      {list({"10.0.0.5:80"}), list({}), kSubscriptOutOfRange, "Subscript out of range"},
      {list({}), list({":443"}), kSubscriptOutOfRange, "Subscript out of range"},
      {list({":http:"}), list({}), kTypeMismatch, "Type mismatch"},
      {Variant(":80:"), list({}), kTypeMismatch, "Type mismatch"}, // not a list
      {list({":80:"}), Variant(":443:"), kTypeMismatch, "Type mismatch"},
  };
  const std::string inner = "Error with Olvesk.IisMonitor.getServerBindings: ";
  for (const auto &c : cases) {
    site->set("ServerBindings", c.server).set("SecureBindings", c.secure);
    auto e = failureOf([&] { record(); });
    EXPECT_EQ(e.number(), c.number) << c.cause;
    EXPECT_EQ(e.description(), "Error with Quorvane.Iis.getSite: " + inner + c.cause);
    e = failureOf([&] { holder(); });
    EXPECT_EQ(e.description(), "Error with Quorvane.IisSite.getSiteById: " + inner + c.cause);
  }
}

TEST_F(SiteReading, CodeTablesInBothShapes) {
  struct Coded {
    int32_t code;
    const char *text; // null: outside the table
  };
  // clang-format off
  const Coded states[] = {{2, "Running"}, {4, "Stopped"}, {6, "Paused"}, {1, nullptr}, {3, nullptr},
                          {5, nullptr}, {7, nullptr}};
  const Coded levels[] = {{0, "Low (IIS Process)"}, {1, "High (isolated)"}, {2, "Medium (pooled)"},
                          {3, nullptr}, {-1, nullptr}};
  // clang-format on
  auto orEmpty = [](const Collection &r, const char *key) { return r.contains(key) ? r[key] : Variant(); };
  for (const auto &c : states) {
    site->set("ServerState", Variant(c.code));
    auto rec = record();
    EXPECT_EQ((*rec)["statusId"], Variant(c.code));
    EXPECT_EQ(orEmpty(*rec, "status"), c.text ? Variant(c.text) : Variant());
    EXPECT_EQ(holder()->stateText, c.text ? c.text : "Unknown state") << c.code;
  }
  for (const auto &c : levels) {
    FakeIis::root(site)->set("appIsolated", Variant(c.code));
    auto rec = record();
    EXPECT_EQ((*rec)["ProcessLevel"], Variant(c.code));
    EXPECT_EQ(orEmpty(*rec, "Process"), c.text ? Variant(c.text) : Variant());
    EXPECT_EQ(holder()->processText, c.text ? c.text : "Unknown process level") << c.code;
  }
  struct Permissions {
    bool script, execute;
    int32_t level;
    const char *text;
  };
  const Permissions permissions[] = {{true, false, 2, "Scripts only"},
                                     {true, true, 3, "Scripts and Executables"},
                                     {false, true, 1, "None"},
                                     {false, false, 1, "None"}};
  for (const auto &c : permissions) {
    FakeIis::root(site)->set("accessScript", Variant(c.script)).set("AccessExecute", Variant(c.execute));
    EXPECT_EQ((*record())["ExecuteLevel"], Variant(c.level));
    EXPECT_EQ((*record())["Execute"], Variant(c.text));
    EXPECT_EQ(holder()->executeLevel, c.level);
    EXPECT_EQ(holder()->executeText, c.text);
  }
}

TEST_F(SiteReading, FailuresAndObjectsOfAnotherClass) {
  Iis unset(lab.platform());
  unset.setComputerName("web1");
  auto e = failureOf([&] { unset.getSite(); });
  EXPECT_EQ(e.number(), fake::kAdsBadPath);
  EXPECT_EQ(e.description(), "Error with Quorvane.Iis.getSite: An invalid directory pathname was passed");
  EXPECT_EQ(lab.directory->binds.back(), "IIS://web1/W3svc/0");

  // A missing home path fails inside the size, both messages kept.
  FakeIis::root(site)->failRead("path", runtimeError(kNoSuchMember));
  EXPECT_EQ(failureOf([&] { record(); }).description(),
            "Error with Quorvane.Iis.getSite: Error with quorvane.IisTool.getSiteSize: "
            "Object doesn't support this property or method");

  for (const char *other : {"IIsWebVirtualDir", "iiswebserver"}) { // the class is compared exactly
    lab.directory->add("IIS://web1/W3svc/9", other, "9");
    reader.setSiteId(9);
    EXPECT_EQ(record()->count(), 0) << other;
    auto empty = IisSite(lab.platform()).getSiteById("web1", 9);
    EXPECT_EQ(empty->settings.id, 0);
    EXPECT_EQ(empty->settings.bindings, nullptr);
  }
}

TEST_F(SiteReading, FiltersMissingOrPartlyUnreadable) {
  FakeIis::addFilter(site, "broken")->failRead("FilterPath", fake::adsError(fake::kNoChild, "gone"));
  auto filters = (*record())["ISAPIFilters"].as<Collection>();
  ASSERT_EQ(keysOf(*filters), words("0 1"));
  EXPECT_EQ(keysOf(recordAt(*filters, "1")), words("Filter Description State"));

  lab.addSite(2, "No filters");
  reader.setSiteId(2);
  EXPECT_EQ((*record())["ISAPIFilters"].as<Collection>()->count(), 0);
}

TEST(IisSiteHolder, GetSiteByIdGivesANewHolderAndLeavesItsOwnAlone) {
  FakeIis lab;
  lab.addSite(3, "Shop", {":80:"});
  lab.system->folders["\\\\web1\\D$\\sites\\3"] = 77;
  IisSite site(lab.platform());
  site.settings.id = 42;
  auto fetched = site.getSiteById("web1", 3);
  EXPECT_NE(fetched.get(), &site);
  EXPECT_EQ(site.settings.id, 42);
  EXPECT_EQ(site.settings.bindings, nullptr);
  EXPECT_EQ(fetched->settings.id, 3);
  EXPECT_EQ(fetched->settings.description, "Shop");
  EXPECT_EQ(fetched->settings.size, 77.0);
  EXPECT_EQ(fetched->settings.aspSessionTimeout, 20);
  EXPECT_EQ(std::dynamic_pointer_cast<Collection>(fetched->settings.bindings)->count(), 1);
}

} // namespace
} // namespace qv::test
