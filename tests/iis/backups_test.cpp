// Listing and making metabase backups; the lab shows their failures.

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "core/json_text.hpp"
#include "iis/iis.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"

namespace qv::test {
namespace {

TEST(Backups, ListingFollowsTheProviderIndexUntilItsFirstRefusal) {
  FakeIis lab;
  const Date when = makeDate({2026, 12, 5, 12, 30, 45});
  std::vector<int32_t> indexes;
  // Three backups, but the provider refuses index 1 as if it were past the end.
  lab.metabase->method("EnumBackups", [&](fake::DirObject &, std::vector<Variant> &args) {
    EXPECT_EQ(args.size(), 5u);
    indexes.push_back(args.at(1).int32());
    if (indexes.back() == 1 || indexes.back() > 2) throw fake::adsError(fake::kNoChild, "No more data");
    args.at(3) = Variant("before-update");
    args.at(4) = Variant(when);
    return Variant();
  });
  Iis sites(lab.platform());
  sites.setComputerName("web1");
  EXPECT_EQ(toJson(*sites.iisBackupFiles()),
            R"({"0":{"Location":"before-update","Date":")" + lab.regional->dateToText(when) + R"("}})");
  EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1}));
}

TEST(Backups, NameIsTheLocalTimeWithoutSeparatorsAndTheNextVersionIsAskedFor) {
  const Date when = makeDate({2026, 12, 5, 12, 30, 45});
  EXPECT_EQ(backupName(when, *PortableRegional::european()), "05122026_123045");
  EXPECT_EQ(backupName(when, *PortableRegional::english()), "1252026_123045_PM");

  FakeIis lab;
  lab.system->localNow = when;
  std::vector<Variant> made;
  lab.metabase->method("backup", [&](fake::DirObject &, std::vector<Variant> &args) {
    made = args;
    return Variant();
  });
  Iis sites(lab.platform());
  sites.setComputerName("web1");
  sites.makeBackup();
  EXPECT_EQ(made,
            (std::vector<Variant>{Variant("1252026_123045_PM"), Variant(int32_t{-1}), Variant(int16_t{2})}));
}

} // namespace
} // namespace qv::test
