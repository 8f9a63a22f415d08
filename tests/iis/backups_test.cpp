// Listing and making metabase backups; the lab shows their failures.

#include <gtest/gtest.h>

#include "core/convert.hpp"
#include "core/json_text.hpp"
#include "iis/iis.hpp"
#include "iis/iis_tool.hpp"
#include "tests/iis/fake_iis.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::test {
namespace {

// Three backups: the provider refuses index 1, with its end of data, which
// ends the listing, or with another refusal, which fails it.
TEST(Backups, ListingEndsOnTheProvidersEndOfDataAndMakingAsksForTheNextVersionOfTheLocalTime) {
  const Date when = makeDate({2026, 12, 5, 12, 30, 45});
  EXPECT_EQ(backupName(when, *PortableRegional::european()), "05122026_123045");
  EXPECT_EQ(backupName(when, *PortableRegional::english()), "1252026_123045_PM");

  FakeIis lab;
  lab.system->localNow = when;
  int32_t refusal = 0;
  std::vector<int32_t> indexes;
  std::vector<Variant> made;
  lab.metabase->method("EnumBackups", [&](fake::DirObject &, std::vector<Variant> &args) {
    EXPECT_EQ(args.size(), 5u);
    indexes.push_back(args.at(1).int32());
    if (indexes.back() >= 1) throw fake::adsError(refusal, "gone");
    args.at(3) = Variant("before-update");
    args.at(4) = Variant(when);
    return Variant();
  });
  lab.metabase->method("backup", [&](fake::DirObject &, std::vector<Variant> &args) {
    made = args;
    return Variant();
  });
  Iis sites(lab.platform());
  sites.setComputerName("web1");
  const std::pair<uint32_t, bool> cases[] = {
      {0x800CC801, true}, {0x80070103, true}, {0x800706BA, false}, {0x80070003, false}};
  for (const auto &[code, ends] : cases) {
    refusal = static_cast<int32_t>(code);
    CollectionPtr listing;
    EXPECT_EQ(
        raisedBy([&] { listing = sites.iisBackupFiles(); }),
        ends ? Raised(0, "")
             : Raised(refusal,
                      "error listing iisBackupFiles: Error with quorvane.IisTool.metaBaseBackupFiles: gone"))
        << std::hex << code;
    const std::string json =
        R"({"0":{"Location":"before-update","Date":")" + lab.regional->dateToText(when) + R"("}})";
    EXPECT_EQ(listing ? toJson(*listing) : "no listing", ends ? json : "no listing");
  }
  EXPECT_EQ(indexes, (std::vector<int32_t>{0, 1, 0, 1, 0, 1, 0, 1}));

  sites.makeBackup();
  EXPECT_EQ(made, (std::vector<Variant>{"1252026_123045_PM", int32_t{-1}, int16_t{2}}));
}

} // namespace
} // namespace qv::test
