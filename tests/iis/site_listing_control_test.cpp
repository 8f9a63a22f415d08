// Listing the sites of a computer and asking a site to change state.

#include <gtest/gtest.h>

#include "iis/iis.hpp"
#include "iis/iis_site.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

class SiteListing : public ::testing::Test {
protected:
  SiteListing() {
    lab.addSite(12, "Shop")->set("ServerState", Variant(int32_t{4}));
    lab.service->addChild("IIsApplicationPools", "AppPools");
    lab.addSite(5, "Blog");
    lab.system->folders["\\\\web1\\D$\\sites\\12"] = 12;
    lab.system->folders["\\\\web1\\D$\\sites\\5"] = 5;
    reader.setComputerName("web1");
  }
  FakeIis lab;
  Iis reader{lab.platform()};
};

TEST_F(SiteListing, SitesAreKeyedByTheirNumberInEnumerationOrder) {
  auto sites = reader.getSites();
  ASSERT_EQ(keysOf(*sites), (std::vector<std::string>{"12", "5"}));
  const Collection &shop = recordAt(*sites, "12");
  EXPECT_EQ(keysOf(shop), (std::vector<std::string>{"W3SVSID", "ServerComment", "ServerState"}));
  EXPECT_EQ(shop["W3SVSID"], Variant(int32_t{12}));
  EXPECT_EQ(shop["ServerComment"], Variant("Shop"));
  EXPECT_EQ(shop["ServerState"], Variant(int32_t{4}));

  auto extended = reader.getSitesExtended();
  ASSERT_EQ(keysOf(*extended), (std::vector<std::string>{"12", "5"}));
  auto first = (*extended)["12"].as<IisSite>();
  auto second = (*extended)["5"].as<IisSite>();
  ASSERT_TRUE(first && second);
  EXPECT_EQ(first->settings.id, 12);
  EXPECT_EQ(first->settings.size, 12.0);
  EXPECT_EQ(second->settings.description, "Blog");
}

TEST_F(SiteListing, EmptyAndFailingListings) {
  FakeIis bare("bare");
  Iis empty(bare.platform());
  empty.setComputerName("bare");
  EXPECT_EQ(empty.getSites()->count(), 0);
  EXPECT_EQ(empty.getSitesExtended()->count(), 0);

  reader.setComputerName("unreachable");
  EXPECT_EQ(failureOf([&] { reader.getSites(); }).description(),
            "Error with Quorvane.Iis.getSites: An invalid directory pathname was passed");
  EXPECT_EQ(failureOf([&] { reader.getSitesExtended(); }).description(),
            "Error with Quorvane.Iis.getSitesExtended: An invalid directory pathname was passed");

  reader.setComputerName("web1");
  FakeIis::root(std::dynamic_pointer_cast<fake::DirObject>(lab.service->childList().back()))
      ->failRead("aspScriptLanguage", fake::adsError(fake::kNoChild, "unreadable"));
  auto e = failureOf([&] { reader.getSitesExtended(); });
  EXPECT_EQ(e.number(), fake::kNoChild);
  EXPECT_EQ(e.description(),
            "Error with Quorvane.Iis.getSitesExtended: Error with Quorvane.IisSite.getSiteById: unreadable");
}

TEST(SiteControl, EachRequestCallsItsMethodOnTheChosenSite) {
  struct Case {
    void (Iis::*operation)();
    const char *method;
    const char *message;
  };
  for (const auto &c : std::vector<Case>{{&Iis::startSite, "start", "Error in Iis.startIIS"},
                                         {&Iis::stopSite, "Stop", "Error in Iis.stopIIS"},
                                         {&Iis::pauseSite, "Pause", "Error in Iis.pauseIIS"},
                                         {&Iis::resumeSite, "Continue", "Error in Iis.resumeIIS"}}) {
    FakeIis lab;
    auto site = lab.addSite(3, "Shop");
    bool refuse = false;
    site->method(c.method, [&](fake::DirObject &, std::vector<Variant> &args) {
      EXPECT_TRUE(args.empty());
      if (refuse) throw fake::adsError(static_cast<int32_t>(0x80070015), "The device is not ready.");
      return Variant();
    });
    Iis control(lab.platform());
    control.setComputerName("web1");
    // Before a site is chosen: site 0, which does not exist.
    EXPECT_EQ(failureOf([&] { (control.*c.operation)(); }).description(),
              std::string(c.message) + ": An invalid directory pathname was passed");
    control.setSiteId(3);
    (control.*c.operation)();
    EXPECT_EQ(*lab.directory->journal, (std::vector<std::string>{std::string("3.") + c.method}));
    EXPECT_EQ(lab.directory->binds.back(), "IIS://web1/W3svc/3");
    refuse = true;
    auto e = failureOf([&] { (control.*c.operation)(); });
    EXPECT_EQ(e.number(), static_cast<int32_t>(0x80070015));
    EXPECT_EQ(e.description(), std::string(c.message) + ": The device is not ready.");
  }
}

TEST(SiteControl, RestartStopsThenStartsAndNotAfterAFailedStop) {
  FakeIis lab;
  auto site = lab.addSite(3, "Shop");
  bool refuseStop = false;
  site->method("Stop", [&](fake::DirObject &, std::vector<Variant> &) {
    if (refuseStop) throw fake::adsError(static_cast<int32_t>(0x80070015), "refused");
    return Variant();
  });
  site->method("start", [](fake::DirObject &, std::vector<Variant> &) { return Variant(); });
  Iis control(lab.platform());
  control.setComputerName("web1");
  control.setSiteId(3);
  control.restartSite();
  EXPECT_EQ(*lab.directory->journal, (std::vector<std::string>{"3.Stop", "3.start"}));

  lab.directory->journal->clear();
  refuseStop = true;
  EXPECT_EQ(failureOf([&] { control.restartSite(); }).description(), "Error in Iis.stopIIS: refused");
  EXPECT_EQ(*lab.directory->journal, (std::vector<std::string>{"3.Stop"}));
}

} // namespace
} // namespace qv::test
