#include "core/wmi_date_text.hpp"

#include "core/null_to_default.hpp"
#include "tests/inventory/inventory_lab.hpp"

namespace qv::test {
namespace {

struct DateCase {
  const char *text;
  const char *utc;
};

const DateCase kDates[] = {
    {"20050301120000.000000+120", "2005-03-01 10:00:00"}, // east of UTC: earlier
    {"20050301120000.000000-300", "2005-03-01 17:00:00"}, // west of UTC: later
    {"20050301******.******+***", "2005-03-01 00:00:00"}, // date only
    {"20050301123456.000000+***", "2005-03-01 00:00:00"}, // "+***" drops the time too
    {"20050301003000.000000+060", "2005-02-28 23:30:00"}, // back across a month end
    {"20041231233000.000000-060", "2005-01-01 00:30:00"}, // on across a year end
    {"  20050301120000.999999+000  ", "2005-03-01 12:00:00"},
    {"20050301120000.000000", "2005-03-01 12:00:00"}, // no offset at all
};

TEST(TranslateWmiDate, GivesUniversalTimeInEitherRegionalStyle) {
  for (const auto &regional : {englishStyle(), europeanStyle()}) {
    for (const auto &c : kDates)
      EXPECT_EQ(stamp(translateWmiDate(c.text, *regional)), c.utc) << c.text;
  }
}

TEST(TranslateWmiDate, TextsThatFormNoDateFailWithItsMessage) {
  auto english = englishStyle();
  for (const char *text : {"", "2005", "yesterday", "20051301120000.000000+000", "20050301120000.000000+abc",
                           "20050301120000.000000+"}) {
    auto error = failureOf([&] { translateWmiDate(text, *english); });
    EXPECT_EQ(error.number(), kTypeMismatch) << text;
    EXPECT_EQ(error.description(), "Error translating string to date: Type mismatch") << text;
  }
}

TEST(TranslateWmiDate, StarredOffsetIsNoNumberWithoutTheDateOnlyRule) {
  auto english = englishStyle();
  EXPECT_EQ(failureOf([&] {
              wmiDateTextToUtc("20050301******.******+***", StarredOffset::kNotANumber, *english);
            }).number(),
            kTypeMismatch);
  EXPECT_EQ(stamp(wmiDateTextToUtc("20050301120000.000000+060", StarredOffset::kNotANumber, *english)),
            "2005-03-01 11:00:00");
}

TEST(NullToDefault, ReplacesOnlyNull) {
  const Variant fallback("n/a");
  EXPECT_EQ(nullToDefault(Variant::null(), fallback), fallback);
  EXPECT_TRUE(nullToDefault(Variant(), fallback).isEmpty()) << "Empty is not Null";
  EXPECT_EQ(nullToDefault(Variant(""), fallback), Variant(""));
  EXPECT_EQ(nullToDefault(Variant(int32_t{0}), fallback), Variant(int32_t{0}));
  EXPECT_TRUE(nullToDefault(Variant::null(), Variant::null()).isNull());
}

} // namespace
} // namespace qv::test
