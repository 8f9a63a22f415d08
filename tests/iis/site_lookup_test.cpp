// Finding a site by name, splitting bindings and measuring a site's size.

#include <gtest/gtest.h>

#include "iis/iis.hpp"
#include "iis/iis_common.hpp"
#include "iis/iis_site.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

TEST(SplitBinding, CutsAtTheFirstTwoColons) {
  using Parts = std::array<std::string, 3>;
  EXPECT_EQ(splitBinding("10.0.0.5:80:www.shop.test"), (Parts{"10.0.0.5", "80", "www.shop.test"}));
  EXPECT_EQ(splitBinding("a:b:c:d"), (Parts{"a", "b", "c:d"}));
  for (const char *bad : {"", "plain"}) {
    EXPECT_EQ(failureOf([&] { splitBinding(bad); }).number(), kInvalidCall) << bad;
  }
}

TEST(FindSite, NumberFirstThenSiteBySiteDescriptionOrFirstBinding) {
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
  struct Case {
    const char *name;
    const char *expected; // site number, or null for none
  };
  for (const auto &c : std::vector<Case>{{"1", "1"},
                                         {"Gamma", "3"},
                                         {"10.0.0.5", "4"}, // earlier site by binding wins
                                         {"10.0.0.6", "8"}, // only the first binding counts
                                         {"Shop", "6"},
                                         {"www.shop.test", "6"},
                                         {"shop", nullptr}, // exact comparison
                                         {"Nowhere", nullptr}}) {
    auto found = findSite(lab.platform(), "web1", c.name);
    if (!c.expected) {
      EXPECT_EQ(found, nullptr) << c.name;
      continue;
    }
    ASSERT_NE(found, nullptr) << c.name;
    EXPECT_EQ(found->get("Name"), Variant(c.expected)) << c.name;
  }
  EXPECT_EQ(findSite(lab.platform(), "unreachable", "1"), nullptr);
}

TEST(SiteSize, HomeFolderAndDirectVirtualDirectoriesThroughTheRightPath) {
  struct Case {
    std::string computer;
    std::string home, images; // the paths the sizes are read from
  };
  for (const auto &c :
       std::vector<Case>{{"localhost", "D:\\sites\\1", "E:\\images"},
                         {" localhost ", "D:\\sites\\1", "E:\\images"},
                         {"LOCALHOST", "\\\\LOCALHOST\\D$\\sites\\1", "\\\\LOCALHOST\\E$\\images"},
                         {"web1", "\\\\web1\\D$\\sites\\1", "\\\\web1\\E$\\images"}}) {
    FakeIis lab(c.computer);
    auto site = lab.addSite(1, "Default Web Site");
    FakeIis::addVirtualDir(site, "images", "E:\\images");
    lab.system->folders[c.home] = 1000;
    lab.system->folders[c.images] = 20;
    IisTool tool(lab.platform());
    tool.setComputerName(c.computer);
    EXPECT_EQ(tool.getSiteSize("1"), 1020.0) << "'" << c.computer << "'";
    EXPECT_EQ(lab.system->folderReads, (std::vector<std::string>{c.home, c.images}));
  }
}

TEST(SiteSize, FoldersThatCannotBeReadAddNothing) {
  FakeIis lab;
  auto site = lab.addSite(1, "Default Web Site");
  FakeIis::addVirtualDir(site, "images", "E:\\images");
  FakeIis::addVirtualDir(site, "docs", "F:\\docs");
  FakeIis::addVirtualDir(site, "gone", "G:\\gone");
  FakeIis::root(site)->addChild("IIsWebDirectory", "plain");
  FakeIis::root(site)->addChild(kVirtualDirClass, "nopath");
  auto images = FakeIis::root(site)->child(kVirtualDirClass, "images");
  std::dynamic_pointer_cast<fake::DirObject>(images)
      ->addChild(kVirtualDirClass, "deeper")
      ->set("Path", "H:\\deep");
  lab.system->folders["\\\\web1\\E$\\images"] = 50;
  lab.system->folders["\\\\web1\\F$\\docs"] = 25;
  lab.system->folders["\\\\web1\\H$\\deep"] = 1000000; // below the root's direct children: not visited

  IisTool tool(lab.platform());
  tool.setComputerName("web1");
  EXPECT_EQ(tool.getSiteSize("1"), 75.0) << "a missing home folder counts 0";

  auto e = failureOf([&] { tool.getSiteSize("No such site"); });
  EXPECT_EQ(e.number(), kObjectNotSet);
  EXPECT_EQ(e.description().rfind("Error with quorvane.IisTool.getSiteSize: ", 0), 0u);
}

// Sites whose descriptions are repeated or empty each get their own size and
// filters: both are looked up by the site's own number.
TEST(SiteSize, EachSiteIsMeasuredByItsOwnNumber) {
  FakeIis lab;
  auto first = lab.addSite(1, "Shop");
  auto second = lab.addSite(2, "Shop");
  auto third = lab.addSite(3, "", {"10.0.0.5:80:"});
  auto fourth = lab.addSite(4, "3");
  FakeIis::addFilter(first, "first");
  FakeIis::addFilter(second, "second");
  for (int n = 1; n <= 4; ++n)
    lab.system->folders["\\\\web1\\D$\\sites\\" + std::to_string(n)] =
        uint64_t{100} * static_cast<uint64_t>(n);

  Iis reader(lab.platform());
  reader.setComputerName("web1");
  for (int n = 1; n <= 4; ++n) {
    reader.setSiteId(n);
    auto rec = reader.getSite();
    EXPECT_EQ((*rec)["Size"], Variant(100.0 * n)) << n;
    EXPECT_EQ(IisSite(lab.platform()).getSiteById("web1", n)->settings.size, 100.0 * n) << n;
    auto filters = (*rec)["ISAPIFilters"].as<Collection>();
    EXPECT_EQ(filters->count(), n <= 2 ? 1 : 0) << n;
    if (n <= 2) {
      EXPECT_EQ(recordAt(*filters, "0")["Filter"], Variant(n == 1 ? "first" : "second"));
    }
  }
}

} // namespace
} // namespace qv::test
