#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <tuple>
#include <vector>

#include "core/collection.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

const Regional &english() { return *PortableRegional::english(); }
const Regional &european() { return *PortableRegional::european(); }

// "yyyy-mm-dd hh:mm:ss" of the parts splitDate finds.
std::string iso(Date date) {
  DateParts p = splitDate(date);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return text;
}

Date at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return makeDate(DateParts{year, month, day, hour, minute, second});
}

TEST(NumberTest, RoundsHalfToEvenReadsOtherKindsAndOverflowsOutsideTheRange) {
  // clang-format off
  const std::pair<Variant, int32_t> cases[] = {
      {Variant(2.5), 2}, {Variant(-3.5), -4}, {Variant(-2.5001), -3}, {Variant(-2147483648.5), -2147483647 - 1},
      {Variant(), 0}, {Variant(true), -1}, {Variant(Date{45001.5}), 45002}, {Variant(" 1,234 "), 1234},
      {Variant(2147483647.4), 2147483647},
  };
  // clang-format on
  for (const auto &[value, expected] : cases)
    EXPECT_EQ(toInt32(value, english()), expected) << kindName(value.kind());
  EXPECT_EQ(toInt16(Variant("-32.768,5"), european()), -32768);
  for (double value : {32767.5, -32768.6, std::numeric_limits<double>::quiet_NaN()})
    EXPECT_EQ(errorNumberOf([&] { toInt16(Variant(value), english()); }), kOverflow) << value;

  const std::pair<Variant, int32_t> failures[] = {{Variant::null(), kInvalidUseOfNull},
                                                  {Variant("1/1/2005"), kTypeMismatch},
                                                  {Variant(std::make_shared<Collection>()), kTypeMismatch}};
  for (const auto &[value, number] : failures) {
    EXPECT_EQ(errorNumberOf([&, &v = value] { toInt16(v, english()); }), number) << kindName(value.kind());
    EXPECT_EQ(errorNumberOf([&, &v = value] { toDouble(v, english()); }), number) << kindName(value.kind());
    EXPECT_EQ(errorNumberOf([&, &v = value] { toBool(v, english()); }), number) << kindName(value.kind());
  }
  EXPECT_EQ((std::vector<bool>{toBool(Variant(" false "), english()), toBool(Variant("TRUE"), english()),
                               toBool(Variant(-0.5), english())}),
            (std::vector<bool>{false, true, true}));
  // Without regional settings no text reads as a number.
  EXPECT_EQ(errorNumberOf([] { toInt32(Variant("12")); }), kTypeMismatch);
}

TEST(NumberTest, ValReadsTheLongestLeadingNumberStrictReadingOnlyAWholeNumber) {
  // clang-format off
  const std::pair<const char *, double> cases[] = {
      {"  12 34abc", 1234}, {"&h1f", 31}, {"&O17", 15}, {"abc", 0}, {"-.5E1", -5}, {"1.2.3", 1.2}, {"1e+", 1},
      {"2D2", 200}, {"- 5", -5}, {"1,000", 1}, {"--1", 0}, {"&H8000", -32768}, {"&HFFFFFFFF", -1}, {"&HG", 0},
      {"&HFFFF", -1}, {"&H10000", 65536}, {"&o18", 1}, {"2d-1", 0.2}, {"1\t2\n3", 123},
  };
  // clang-format on
  for (auto [text, expected] : cases)
    EXPECT_EQ(val(text), expected) << '"' << text << '"';
  for (const char *text : {"&H123456789", "1e400"})
    EXPECT_EQ(errorNumberOf([&] { val(text); }), kOverflow) << text;

  // Strict reading. The group separator is skipped wherever it stands between
  // digits, as the runtime does: "1.5" is 15 in the European style.
  constexpr std::nullopt_t none = std::nullopt;
  // clang-format off
  const std::tuple<const Regional *, const char *, std::optional<double>> strict[] = {
      {&english(), " -1.5E+2 ", -150}, {&english(), "&H10", 16}, {&english(), "1,234.5", 1234.5},
      {&english(), "1,,2", none}, {&english(), "12a", none}, {&english(), "1e400", none}, {&english(), "", none},
      {&english(), ",5", none}, {&european(), "1.234,5", 1234.5}, {&european(), "1.5", 15}, {&european(), "1,234.5", none},
  };
  // clang-format on
  for (const auto &[regional, text, expected] : strict)
    EXPECT_EQ(regional->textToNumber(text), expected) << text;
}

TEST(TextTest, KindsDoublesAndFormattedNumbersInBothStyles) {
  // clang-format off
  const std::pair<std::string, const char *> cases[] = {
      {toText(Variant(), english()), ""}, {toText(Variant(1.5), european()), "1,5"},
      {toText(Variant(false), english()), "False"}, {english().dateToText(Date{0}), "12:00:00 AM"},
      {toText(Variant(Date{38412.5}), european()), "01.03.2005 12:00:00"},
      {english().doubleToText(1.0 / 3.0), "0.333333333333333"},
      {english().doubleToText(1e15), "1E+15"}, {english().doubleToText(1e14), "100000000000000"},
      {european().doubleToText(1.5e-7), "1,5E-07"}, {english().formatNumber(123456, 0), "123,456"},
      {english().doubleToText(0.0001), "0.0001"}, {english().doubleToText(1e-5), "1E-05"},
      {english().doubleToText(-1e-10), "-1E-10"}, {english().formatNumber(9.995, 2), "10.00"},
      {english().formatNumber(1234.5, -1), "1,234.50"}, {english().formatNumber(0.5, 99).substr(97), "0000"},
      {english().formatNumber(-1234567.891, 2), "-1,234,567.89"},
      {english().formatNumber(2.5, 0), "3"}, {english().formatNumber(-0.001, 2), "0.00"},
  };
  // clang-format on
  for (const auto &[actual, expected] : cases)
    EXPECT_EQ(actual, expected);
  EXPECT_EQ(errorNumberOf([] { toText(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toText(Variant(std::make_shared<Collection>()), english()); }), kTypeMismatch);
  for (int decimals : {-2, 100})
    EXPECT_EQ(errorNumberOf([&] { english().formatNumber(1.0, decimals); }), kInvalidCall) << decimals;
}

TEST(CompareTextTest, BinaryModeByCodeUnitsTextModeWithoutLetterCase) {
  // clang-format off
  const std::tuple<const char *, const char *, int, int> cases[] = {
      {"A", "a", -1, 0}, {"B", "a", -1, 1}, {"a", "B", 1, -1}, {"", "a", -1, -1}, {"ab", "a", 1, 1},
      {"Name", "NAME", 1, 0}, {"_", "a", -1, -1}, {"z", "\xC3\xA4", -1, -1},
      // The first and last capital of each folded block, and the sign inside the Latin one.
      {"\xC3\x80\xC3\x9E", "\xC3\xA0\xC3\xBE", -1, 0} /* ÀÞ àþ */, {"\xC3\x97", "\xC3\xB7", -1, -1} /* × ÷ */,
      {"\xCE\x91\xCE\xA9", "\xCE\xB1\xCF\x89", -1, 0} /* ΑΩ αω */,
      {"\xD0\x80\xD0\x8F\xD0\x90\xD0\xAF", "\xD1\x90\xD1\x9F\xD0\xB0\xD1\x8F", -1, 0} /* ЀЏАЯ ѐџая */,
      // UTF-16 code units, not code points: U+1F600 (a surrogate pair) before U+E000 and U+FFFD.
      {"\xF0\x9F\x98\x80", "\xEF\xBF\xBD", -1, 1}, {"\xF0\x9F\x98\x80", "\xEE\x80\x80", -1, 1},
  };
  // clang-format on
  for (const auto &[a, b, binary, text] : cases) {
    EXPECT_EQ(compareText(a, b, 0, english()), binary) << a << " " << b;
    EXPECT_EQ(compareText(b, a, 0, english()), -binary) << a << " " << b;
    EXPECT_EQ(compareText(a, b, 1, english()), text) << a << " " << b;
    EXPECT_EQ(compareText(b, a, 2, european()), -text) << a << " " << b;
  }
  EXPECT_EQ(errorNumberOf([&] { compareText("a", "b", 3, english()); }), kInvalidCall);
  EXPECT_TRUE(equalsIgnoreCase("DisplayName", "DISPLAYNAME"));
  EXPECT_FALSE(equalsIgnoreCase("a", "ab"));
}

TEST(DateTest, CarriesOutOfRangePartsReadsTwoDigitYearsAndCountsBackBeforeTheEpoch) {
  // clang-format off
  const std::pair<Date, const char *> cases[] = {
      {dateSerial(2004, 13, 1), "2005-01-01 00:00:00"}, {dateSerial(2004, 3, 0), "2004-02-29 00:00:00"},
      {dateSerial(2005, -1, 1), "2004-11-01 00:00:00"}, {dateSerial(1800, 2, 29), "1800-03-01 00:00:00"},
      {dateSerial(29, 6, 1), "2029-06-01 00:00:00"}, {dateSerial(30, 6, 1), "1930-06-01 00:00:00"},
      {at(1899, 12, 30, 0, 0, -1), "1899-12-29 23:59:59"},
      // Before 1899-12-30 the whole part counts back while the fraction counts the time forward.
      {Date{-1.25}, "1899-12-29 06:00:00"}, {Date{1.0 - 0.3 / 86400}, "1899-12-31 00:00:00"},
      {addMinutes(at(1899, 12, 30, 0, 30), -60), "1899-12-29 23:30:00"}, {dateSerial(100, 1, 1), "0100-01-01 00:00:00"},
      {addMinutes(at(9999, 12, 31), 1439), "9999-12-31 23:59:00"},
  };
  // clang-format on
  for (const auto &[date, expected] : cases)
    EXPECT_EQ(iso(date), expected) << date.serial;
  EXPECT_EQ(at(1899, 12, 28, 18).serial, -2.75);
  EXPECT_EQ(minutesBetween(at(2005, 3, 1, 10, 0, 59), at(2005, 3, 1, 10, 1, 0)), 1);
  EXPECT_EQ(minutesBetween(at(1899, 12, 29, 23, 0), at(1899, 12, 30, 1, 0)), 120);
  EXPECT_EQ(errorNumberOf([] { dateSerial(10000, 1, 1); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { dateSerial(100, 1, 0); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { addMinutes(at(9999, 12, 31), 1440); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant(2958466.0), english()); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { splitDate(Date{3e6}); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant("38412"), english()); }), kTypeMismatch);
}

TEST(DateTest, TextsReadInTheStylesDateOrderAndWrittenDateOnlyOrTimeOnly) {
  // clang-format off
  const std::tuple<const Regional *, const char *, const char *> reads[] = {
      {&english(), "\t3/1/2005 1:05:09 PM ", "2005-03-01 13:05:09"}, {&english(), "2005-3-1", "2005-03-01 00:00:00"},
      {&european(), "1.3.2005 13:05:09", "2005-03-01 13:05:09"},
      {&english(), "12:00 AM", "1899-12-30 00:00:00"}, {&english(), "2/30/2005", nullptr},
      {&english(), "24:00", nullptr}, {&english(), "3/1/2005 x", nullptr}, {&european(), "12.31.2005", nullptr},
      {&english(), "23:59:59", "1899-12-30 23:59:59"}, {&english(), "0:60", nullptr},
      {&english(), "12/31/2005", "2005-12-31 00:00:00"}, {&english(), "2/29/2000", "2000-02-29 00:00:00"},
      {&english(), "2/29/1900", nullptr}, {&english(), "999-1-2", "0999-01-02 00:00:00"},
      {&european(), "1.3.05", "2005-03-01 00:00:00"},
  };
  const std::tuple<Date, const char *, const char *> writes[] = {
      {dateSerial(2005, 3, 1), "3/1/2005", "01.03.2005"}, {Date{0.5}, "12:00:00 PM", "12:00:00"},
      // The last half second of the range rounds within it, not to 10000.
      {Date{2958465.9999999995}, "12/31/9999 11:59:59 PM", "31.12.9999 23:59:59"},
  };
  // clang-format on
  for (const auto &[regional, text, expected] : reads) {
    auto date = regional->textToDate(text);
    EXPECT_EQ(date ? iso(*date) : "none", expected ? expected : "none") << '"' << text << '"';
  }
  for (const auto &[date, englishText, europeanText] : writes) {
    EXPECT_EQ(english().dateToText(date), englishText);
    EXPECT_EQ(european().dateToText(date), europeanText);
  }
  const char *formats[] = {"01.03.2005 13:05:09", "Dienstag, 1. M\xC3\xA4rz 2005", "01.03.2005", "13:05:09",
                           "13:05"};
  for (int format = kGeneralDate; format <= kShortTime; ++format)
    EXPECT_EQ(european().formatDate(at(2005, 3, 1, 13, 5, 9), format), formats[format]) << format;
  EXPECT_EQ(errorNumberOf([] { english().formatDate(Date{0}, 5); }), kInvalidCall);
}

} // namespace
} // namespace qv
