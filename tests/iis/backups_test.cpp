// Listing and making metabase backups; the lab shows their failures.

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "core/handlers.hpp"
#include "core/json_text.hpp"
#include "iis/iis.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"
#include "tests/support/keys_of.hpp"

namespace qv::test {
namespace {

TEST(Backups, ListingEndsOnTheProvidersEndOfDataAndReportsAnyOtherRefusal) {
  // The refusal at index 1 (of three backups), the keys listed or the
  // failure's description.
  const std::tuple<uint32_t, std::string> cases[] = {
      {0x800CC801, "keys: 0"},
      {0x80070103, "keys: 0"},
      {0x800706BA, "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: gone"},
      {0x80070003, "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: gone"},
  };
  const Date when = makeDate({2026, 12, 5, 12, 30, 45});
  for (const auto &[refusal, expected] : cases) {
    FakeIis lab;
    std::vector<int32_t> indexes;
    lab.metabase->method("EnumBackups",
                         [&, refusal = refusal](fake::DirObject &, std::vector<Variant> &args) {
                           EXPECT_EQ(args.size(), 5u);
                           indexes.push_back(args.at(1).int32());
                           if (indexes.back() >= 1)
                             throw fake::adsError(static_cast<int32_t>(refusal), "gone");
                           args.at(3) = Variant("before-update");
                           args.at(4) = Variant(when);
                           return Variant();
                         });
    Iis sites(lab.platform());
    sites.setComputerName("web1");
    std::string got;
    auto failure = tolerate([&] {
      auto listing = sites.iisBackupFiles();
      got = "keys:";
      for (const std::string &key : keysOf(*listing))
        got += " " + key;
      EXPECT_EQ(toJson(*(*listing)["0"].as<Collection>()),
                R"({"Location":"before-update","Date":")" + lab.regional->dateToText(when) + R"("})");
    });
    if (failure) {
      EXPECT_EQ(static_cast<uint32_t>(failure->number()), refusal);
      got = failure->description();
    }
    EXPECT_EQ(got, expected) << std::hex << refusal;
    EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1}));
  }
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
