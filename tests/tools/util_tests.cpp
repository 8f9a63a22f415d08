#include "tools/util.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv::test {
namespace {

Util utilFor(std::shared_ptr<const Regional> regional) {
  return Util(Platform{nullptr, nullptr, nullptr, std::move(regional)});
}

TEST(UtilIIf, PicksByTheVariantsTruthAndReturnsThePartUnchanged) {
  Util util = utilFor(PortableRegional::english());
  const Variant yes("yes");
  const Variant no(VariantArray{1, {Variant(int16_t{4})}});
  for (const Variant &falsy : {Variant(false), Variant(int16_t{0}), Variant(int32_t{0}), Variant(0.0),
                               Variant("False"), Variant("0"), Variant(), Variant::null()}) {
    EXPECT_EQ(util.iif(falsy, yes, no), no) << kindName(falsy.kind());
  }
  for (const Variant &truthy : {Variant(true), Variant(int16_t{-1}), Variant(int32_t{5}), Variant(0.5),
                                Variant("True"), Variant("1")}) {
    EXPECT_EQ(util.iif(truthy, yes, no), yes) << kindName(truthy.kind());
  }
  EXPECT_TRUE(util.iif(false, yes, Variant::null()).isNull());
  EXPECT_EQ(failureOf([&] { util.iif("maybe", yes, no); }).number(), kTypeMismatch);
}

TEST(UtilVal, ReadsTheLongestLeadingNumber) {
  Util util = utilFor(PortableRegional::european());
  struct Case {
    const char *text;
    double value;
  } cases[] = {
      {"  12 34abc", 1234}, {"&H1F", 31},      {"&O17", 15},  {"abc", 0}, {"1.5e3", 1500}, {"", 0},
      {"3,5", 3},           {"-2.25x", -2.25}, {"12abc", 12},
  };
  for (const auto &c : cases)
    EXPECT_DOUBLE_EQ(util.val(c.text), c.value) << c.text;
}

TEST(UtilFormatDateTime, NamedFormatsFollowTheRegionalStyleAndOthersFail) {
  const Date moment = makeDate(DateParts{2005, 3, 1, 13, 5, 9});
  const Date midnight = makeDate(DateParts{2005, 3, 1, 0, 0, 0});
  struct Style {
    std::shared_ptr<const PortableRegional> regional;
    std::vector<std::string> texts; // formats 0 to 4, then 0 at midnight
  } styles[] = {
      {PortableRegional::english(),
       {"3/1/2005 1:05:09 PM", "Tuesday, March 1, 2005", "3/1/2005", "1:05:09 PM", "13:05", "3/1/2005"}},
      {PortableRegional::european(),
       {"01.03.2005 13:05:09", "Dienstag, 1. M\xC3\xA4rz 2005", "01.03.2005", "13:05:09", "13:05",
        "01.03.2005"}},
  };
  for (const auto &style : styles) {
    Util util = utilFor(style.regional);
    for (int32_t format = 0; format <= 4; ++format) {
      const Variant text = util.formatDateTime(moment, format);
      EXPECT_EQ(text, Variant(style.texts[format])) << format;
    }
    EXPECT_EQ(util.formatDateTime(midnight, 0), Variant(style.texts[5]));
    // Other formats fail with the runtime's own error.
    for (int32_t format : {5, -1, 255}) {
      auto error = failureOf([&] { util.formatDateTime(moment, format); });
      EXPECT_EQ(error.number(), kInvalidCall);
      EXPECT_EQ(error.description(), "Invalid procedure call or argument");
    }
  }
}

TEST(UtilTranslateStringDate, TrimsTheCallersTextAndConvertsToUtcOrFails) {
  Util util = utilFor(PortableRegional::english());
  std::string text = "  20050301120000.000000+060 ";
  const DateParts utc = splitDate(util.translateStringDate(text));
  EXPECT_EQ(text, "20050301120000.000000+060");
  EXPECT_EQ((std::vector<int>{utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second}),
            (std::vector<int>{2005, 3, 1, 11, 0, 0}));

  // Failures carry the conversion's message and still trim.
  for (const char *given : {" 20050301******.******+*** ", "not a date", "20050301120000.000000-x"}) {
    std::string text = given;
    auto error = failureOf([&] { util.translateStringDate(text); });
    EXPECT_EQ(error.number(), kTypeMismatch) << given;
    EXPECT_EQ(error.description(), "Error translating string to date: Type mismatch") << given;
    EXPECT_EQ(text, trimmed(given));
  }
}

} // namespace
} // namespace qv::test
