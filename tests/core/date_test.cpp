#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <tuple>

#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/support/failure_of.hpp"

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

// A time on day 0, with the carry of out-of-range parts.
Date timeOfDay(int hour, int minute, int second) { return makeDate({1899, 12, 30, hour, minute, second}); }

Date at(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return makeDate(DateParts{year, month, day, hour, minute, second});
}

TEST(DateSerialTest, CarriesMonthsAndDaysAndReadsTwoDigitYears) {
  EXPECT_EQ(dateSerial(1899, 12, 30).serial, 0.0);
  EXPECT_EQ(dateSerial(2005, 3, 1).serial, 38412.0);
  EXPECT_EQ(dateSerial(100, 1, 1).serial, -657434.0);
  EXPECT_EQ(dateSerial(9999, 12, 31).serial, 2958465.0);
  // clang-format off
  const std::tuple<int, int, int, const char *> cases[] = {
      {2004, 13, 1, "2005-01-01"}, {2005, 3, 0, "2005-02-28"}, {2004, 3, 0, "2004-02-29"},
      {2005, 0, 1, "2004-12-01"},
      {2005, -1, 1, "2004-11-01"}, {2005, -12, 1, "2003-12-01"}, {2005, 1, -1, "2004-12-30"},
      {2005, 14, 31, "2006-03-03"}, {2005, 1, 366, "2006-01-01"}, {1800, 2, 29, "1800-03-01"},
      {5, 1, 1, "2005-01-01"}, {29, 6, 1, "2029-06-01"}, {30, 6, 1, "1930-06-01"}, {99, 13, 1, "2000-01-01"},
  };
  // clang-format on
  for (const auto &[year, month, day, expected] : cases) {
    EXPECT_EQ(iso(dateSerial(year, month, day)), std::string(expected) + " 00:00:00") << expected;
  }
  const int failures[][3] = {{10000, 1, 1}, {9999, 13, 1},  {100, 0, 1},
                             {-1, 1, 1},    {9999, 12, 32}, {100, 1, 0}};
  for (const auto &f : failures) {
    EXPECT_EQ(errorNumberOf([&] { dateSerial(f[0], f[1], f[2]); }), kInvalidCall) << f[0] << "-" << f[1];
  }
}

TEST(DateSerialTest, TimesCarryAcrossDaysMonthsYearsAndTheEpoch) {
  EXPECT_EQ(timeOfDay(12, 0, 0).serial, 0.5);
  // clang-format off
  const std::pair<Date, const char *> cases[] = {
      {timeOfDay(25, 0, 0), "1899-12-31 01:00:00"}, {timeOfDay(0, 0, -1), "1899-12-29 23:59:59"},
      {timeOfDay(-25, 0, 0), "1899-12-28 23:00:00"}, {at(2005, 3, 1, 0, -30), "2005-02-28 23:30:00"},
      {at(2004, 12, 31, 23, 59, 60), "2005-01-01 00:00:00"}, {at(2005, 1, 1, 48), "2005-01-03 00:00:00"},
      {at(2005, 13, 0, 24), "2006-01-01 00:00:00"},
      // Before 1899-12-30 the whole part counts back while the fraction counts the time forward.
      {Date{-1.25}, "1899-12-29 06:00:00"}, {Date{-0.5}, "1899-12-30 12:00:00"},
      {Date{-2.75}, "1899-12-28 18:00:00"},
      // Rounded to the nearest second.
      {Date{0.5 + 0.4 / 86400}, "1899-12-30 12:00:00"}, {Date{1.0 - 0.3 / 86400}, "1899-12-31 00:00:00"},
  };
  // clang-format on
  for (const auto &[date, expected] : cases)
    EXPECT_EQ(iso(date), expected) << date.serial;
  EXPECT_EQ(at(1899, 12, 28, 18).serial, -2.75);
  EXPECT_EQ(errorNumberOf([] { at(9999, 12, 31, 24); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { at(100, 1, 1, 0, 0, -1); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { splitDate(Date{3e6}); }), kOverflow);
}

TEST(DateSerialTest, SplitAndMakeAreInverseOverTheWholeRange) {
  std::mt19937 random(20050301);
  std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 28), hour(0, 23), sixty(0, 59);
  for (int i = 0; i < 20000; ++i) {
    DateParts p{year(random), month(random), day(random), hour(random), sixty(random), sixty(random)};
    Date date = makeDate(p);
    DateParts back = splitDate(date);
    ASSERT_TRUE(back.year == p.year && back.month == p.month && back.day == p.day && back.hour == p.hour &&
                back.minute == p.minute && back.second == p.second)
        << date.serial;
    ASSERT_EQ(makeDate(back).serial, date.serial);
  }
}

TEST(DateArithmeticTest, AddMinutesAndMinutesBetween) {
  EXPECT_EQ(iso(addMinutes(at(2005, 2, 28, 23, 30), 60)), "2005-03-01 00:30:00");
  EXPECT_EQ(iso(addMinutes(at(1899, 12, 30, 0, 30), -60)), "1899-12-29 23:30:00");
  EXPECT_EQ(iso(addMinutes(at(1899, 12, 29, 23, 30), 60)), "1899-12-30 00:30:00");
  EXPECT_EQ(errorNumberOf([] { addMinutes(at(9999, 12, 31, 23, 30), 60); }), kInvalidCall);
  const std::tuple<Date, Date, int64_t> cases[] = {
      {at(2005, 3, 1, 10, 0, 59), at(2005, 3, 1, 10, 1, 0), 1},
      {at(2005, 3, 1, 10, 0, 0), at(2005, 3, 1, 10, 0, 59), 0},
      {at(2005, 3, 1, 8, 0), at(2005, 3, 4, 12, 25), 3 * 1440 + 4 * 60 + 25},
      {at(2005, 3, 1, 10, 30), at(2005, 3, 1, 9, 0), -90},
      {at(1899, 12, 29, 23, 0), at(1899, 12, 30, 1, 0), 120},
  };
  for (const auto &[from, to, minutes] : cases)
    EXPECT_EQ(minutesBetween(from, to), minutes) << iso(from) << " " << iso(to);
}

TEST(ToDateTest, NumbersAreSerialsAndTextsAreRead) {
  EXPECT_EQ(toDate(Variant(38412.5), english()), Date{38412.5});
  EXPECT_EQ(toDate(Variant(true), english()), Date{-1});
  EXPECT_EQ(toDate(Variant(), english()), Date{0});
  EXPECT_EQ(toDate(Variant("3/1/2005"), english()), dateSerial(2005, 3, 1));
  EXPECT_EQ(errorNumberOf([] { toDate(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant("38412"), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant(1e10), english()); }), kOverflow);
}

TEST(TextToDateTest, ReadsTheStylesDateOrderIsoDatesAndTimes) {
  const Regional *en = &english();
  const Regional *eu = &european();
  // clang-format off
  const std::tuple<const Regional *, const char *, const char *> cases[] = {
      {en, "3/1/2005", "2005-03-01 00:00:00"}, {en, " 3/1/2005 1:05:09 PM ", "2005-03-01 13:05:09"},
      {en, "12/31/99", "1999-12-31 00:00:00"}, {en, "1/1/29", "2029-01-01 00:00:00"},
      {en, "2005-3-1", "2005-03-01 00:00:00"}, {en, "1899-12-29 06:00:00", "1899-12-29 06:00:00"},
      {en, "13:05", "1899-12-30 13:05:00"}, {en, "1:05 pm", "1899-12-30 13:05:00"},
      {en, "12:00 AM", "1899-12-30 00:00:00"}, {en, "12:30:01PM", "1899-12-30 12:30:01"},
      {en, "1 PM", "1899-12-30 13:00:00"}, {en, "2/29/2004", "2004-02-29 00:00:00"},
      {eu, "01.03.2005", "2005-03-01 00:00:00"}, {eu, "1.3.2005 13:05:09", "2005-03-01 13:05:09"},
      {eu, "2005-03-01 23:59:59", "2005-03-01 23:59:59"},
      {en, "2/30/2005", nullptr}, {en, "13/1/2005", nullptr}, {en, "3/1", nullptr}, {en, "24:00", nullptr},
      {en, "12:60", nullptr}, {en, "13:00 PM", nullptr}, {en, "3/1/2005 x", nullptr},
      {en, "3/1/2005 13", nullptr},
      {en, "", nullptr}, {en, "1.5", nullptr}, {en, "0099-01-01", nullptr}, {eu, "12.31.2005", nullptr},
  };
  // clang-format on
  for (const auto &[regional, text, expected] : cases) {
    auto date = regional->textToDate(text);
    ASSERT_EQ(date.has_value(), expected != nullptr) << '"' << text << '"';
    if (date) {
      EXPECT_EQ(iso(*date), expected) << '"' << text << '"';
    }
  }
}

TEST(DateTextTest, DateOnlyAtMidnightTimeOnlyOnDayZero) {
  // clang-format off
  const std::tuple<Date, const char *, const char *> cases[] = {
      {dateSerial(2005, 3, 1), "3/1/2005", "01.03.2005"},
      {at(2005, 12, 11, 9, 5, 3), "12/11/2005 9:05:03 AM", "11.12.2005 09:05:03"},
      {Date{0.5}, "12:00:00 PM", "12:00:00"}, {Date{0}, "12:00:00 AM", "00:00:00"},
      {timeOfDay(0, 0, -1), "12/29/1899 11:59:59 PM", "29.12.1899 23:59:59"},
      // The last half second of the range rounds within it, not to 10000.
      {Date{2958465.9999999995}, "12/31/9999 11:59:59 PM", "31.12.9999 23:59:59"},
  };
  // clang-format on
  for (const auto &[date, englishText, europeanText] : cases) {
    EXPECT_EQ(english().dateToText(date), englishText);
    EXPECT_EQ(european().dateToText(date), europeanText);
  }
}

TEST(DateTextTest, NamedFormatsInBothStyles) {
  const Date date = at(2005, 3, 1, 13, 5, 9);
  const char *englishTexts[] = {"3/1/2005 1:05:09 PM", "Tuesday, March 1, 2005", "3/1/2005", "1:05:09 PM",
                                "13:05"};
  const char *europeanTexts[] = {"01.03.2005 13:05:09", "Dienstag, 1. M\xC3\xA4rz 2005", "01.03.2005",
                                 "13:05:09", "13:05"};
  for (int format = 0; format <= 4; ++format) {
    EXPECT_EQ(english().formatDate(date, format), englishTexts[format]) << format;
    EXPECT_EQ(european().formatDate(date, format), europeanTexts[format]) << format;
  }
  EXPECT_EQ(english().formatDate(dateSerial(1800, 1, 1), kLongDate), "Wednesday, January 1, 1800");
  EXPECT_EQ(english().formatDate(timeOfDay(9, 5, 0), kShortTime), "09:05");
  for (int format : {-1, 5}) {
    EXPECT_EQ(errorNumberOf([&] { english().formatDate(date, format); }), kInvalidCall) << format;
  }
}

TEST(DateTextTest, CustomPatternsQuoteLiteralsAndUseAbbreviations) {
  RegionalSettings settings = PortableRegional::englishSettings();
  settings.shortDatePattern = "yyyy-MM-dd";
  settings.longDatePattern = "ddd d MMM yy 'week' \\d";
  PortableRegional custom(settings);
  EXPECT_EQ(custom.formatDate(at(2005, 3, 1), kLongDate), "Tue 1 Mar 05 week d");
  EXPECT_EQ(custom.dateToText(custom.textToDate("2005-03-01 07:08:09").value()), "2005-03-01 7:08:09 AM");
}

} // namespace
} // namespace qv
