// Listing and making metabase backups.

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "iis/iis.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

TEST(Backups, ListingFollowsTheProviderIndexUntilItsFirstRefusal) {
  FakeIis lab;
  Iis sites(lab.platform());
  sites.setComputerName("web1");
  EXPECT_EQ(sites.iisBackupFiles()->count(), 0) << "no backups, no error";

  Date when = makeDate({2026, 12, 5, 12, 30, 45});
  lab.backups = {{"before-update", 0, when}, {"before-update", 1, when}, {"nightly", 0, when}};
  lab.enumCalls.clear();
  auto listing = sites.iisBackupFiles();
  ASSERT_EQ(keysOf(*listing), (std::vector<std::string>{"0", "1", "2"}));
  const Collection &second = recordAt(*listing, "1");
  EXPECT_EQ(keysOf(second), (std::vector<std::string>{"Location", "Date"}));
  EXPECT_EQ(second["Location"], Variant("before-update"));
  EXPECT_EQ(second["Date"], Variant(lab.regional->dateToText(when)));
  ASSERT_EQ(lab.enumCalls.size(), 4u);
  for (int32_t i = 0; i < 4; ++i) {
    const auto &args = lab.enumCalls[static_cast<std::size_t>(i)];
    ASSERT_EQ(args.size(), 5u);
    EXPECT_EQ(args[0], Variant(""));
    EXPECT_EQ(args[1], Variant(i));
  }

  // Any refusal ends the listing, not only the one past the last backup.
  lab.refuseIndex = 1;
  EXPECT_EQ(keysOf(*sites.iisBackupFiles()), (std::vector<std::string>{"0"}));

  sites.setComputerName("unreachable");
  auto e = failureOf([&] { sites.iisBackupFiles(); });
  EXPECT_EQ(e.number(), fake::kAdsBadPath);
  EXPECT_EQ(e.description(), "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: "
                             "An invalid directory pathname was passed");
}

TEST(Backups, NameIsTheLocalTimeWithoutSeparatorsInBothStyles) {
  struct Case {
    std::shared_ptr<const Regional> style;
    const char *expected;
  };
  for (const auto &c : std::vector<Case>{{PortableRegional::european(), "05122026_123045"},
                                         {PortableRegional::english(), "1252026_123045_PM"}}) {
    FakeIis lab("web1", c.style);
    lab.system->localNow = makeDate({2026, 12, 5, 12, 30, 45});
    Iis sites(lab.platform());
    sites.setComputerName("web1");
    sites.makeBackup();
    sites.makeBackup(); // within the same second: the same name, the next version
    ASSERT_EQ(lab.backupCalls.size(), 2u);
    for (const auto &args : lab.backupCalls) {
      ASSERT_EQ(args.size(), 3u);
      EXPECT_EQ(args[0], Variant(c.expected));
      EXPECT_EQ(args[1], Variant(int32_t{-1}));
      EXPECT_EQ(args[2], Variant(int16_t{2}));
    }
    EXPECT_EQ(IisTool(lab.platform()).metaBaseBackup("web1"), c.expected);
  }

  FakeIis lab;
  Iis sites(lab.platform());
  sites.setComputerName("unreachable");
  EXPECT_EQ(failureOf([&] { sites.makeBackup(); }).description(),
            "error listing makeBackup: An invalid directory pathname was passed");
}

} // namespace
} // namespace qv::test
