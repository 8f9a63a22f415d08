#include <gtest/gtest.h>

#include <random>

#include "core/collection.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/core/error_expect.hpp"

namespace qv {

bool operator==(const DateParts &a, const DateParts &b) {
  return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
         a.minute == b.minute && a.second == b.second;
}

std::ostream &operator<<(std::ostream &out, const DateParts &p) {
  return out << p.year << "-" << p.month << "-" << p.day << " " << p.hour << ":" << p.minute << ":"
             << p.second;
}

namespace {

using test::errorNumberOf;

const Regional &english() { return *PortableRegional::english(); }
const Regional &european() { return *PortableRegional::european(); }

DateParts parts(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return DateParts{year, month, day, hour, minute, second};
}

TEST(DateSerialTest, KnownDays) {
  EXPECT_EQ(dateSerial(1899, 12, 30).serial, 0.0);
  EXPECT_EQ(dateSerial(1900, 1, 1).serial, 2.0);
  EXPECT_EQ(dateSerial(2000, 1, 1).serial, 36526.0);
  EXPECT_EQ(dateSerial(2005, 3, 1).serial, 38412.0);
  EXPECT_EQ(dateSerial(1899, 12, 29).serial, -1.0);
  EXPECT_EQ(dateSerial(100, 1, 1).serial, -657434.0);
  EXPECT_EQ(dateSerial(9999, 12, 31).serial, 2958465.0);
}

TEST(DateSerialTest, CarriesMonthsAndDaysAndReadsTwoDigitYears) {
  struct Case {
    int year, month, day;
    DateParts expected;
  };
  const Case cases[] = {
      {2004, 13, 1, parts(2005, 1, 1)},    {2005, 3, 0, parts(2005, 2, 28)},
      {2004, 3, 0, parts(2004, 2, 29)},    {2005, 0, 1, parts(2004, 12, 1)},
      {2005, -1, 1, parts(2004, 11, 1)},   {2005, 1, -1, parts(2004, 12, 30)},
      {2005, 1, 32, parts(2005, 2, 1)},    {2005, 14, 31, parts(2006, 3, 3)},
      {2005, -12, 1, parts(2003, 12, 1)},  {2005, 1, 366, parts(2006, 1, 1)},
      {5, 1, 1, parts(2005, 1, 1)},        {29, 6, 1, parts(2029, 6, 1)},
      {30, 6, 1, parts(1930, 6, 1)},       {99, 12, 31, parts(1999, 12, 31)},
      {99, 13, 1, parts(2000, 1, 1)},      {0, 1, 1, parts(2000, 1, 1)},
      {1899, 12, 29, parts(1899, 12, 29)}, {1800, 2, 29, parts(1800, 3, 1)},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(splitDate(dateSerial(c.year, c.month, c.day)), c.expected)
        << c.year << "-" << c.month << "-" << c.day;
  }
}

TEST(DateSerialTest, FailsOutsideTheYears100To9999) {
  const int cases[][3] = {{10000, 1, 1}, {9999, 13, 1}, {100, 0, 1}, {-1, 1, 1}, {9999, 12, 32}, {100, 1, 0}};
  for (const auto &c : cases) {
    EXPECT_EQ(errorNumberOf([&] { dateSerial(c[0], c[1], c[2]); }), kInvalidCall) << c[0] << "-" << c[1];
  }
}

TEST(DateSerialTest, TimeSerialCarriesIntoDays) {
  EXPECT_EQ(timeSerial(12, 0, 0).serial, 0.5);
  EXPECT_EQ(splitDate(timeSerial(25, 0, 0)), parts(1899, 12, 31, 1));
  EXPECT_EQ(splitDate(timeSerial(0, 90, 0)), parts(1899, 12, 30, 1, 30));
  EXPECT_EQ(splitDate(timeSerial(0, 0, -1)), parts(1899, 12, 29, 23, 59, 59));
  EXPECT_EQ(splitDate(timeSerial(-25, 0, 0)), parts(1899, 12, 28, 23));
}

TEST(DateSerialTest, MakeDateCarriesTimeAcrossDaysMonthsAndYears) {
  struct Case {
    DateParts in;
    DateParts expected;
  };
  const Case cases[] = {
      {parts(2005, 3, 1, 0, -30), parts(2005, 2, 28, 23, 30)},
      {parts(2004, 12, 31, 23, 59, 60), parts(2005, 1, 1)},
      {parts(2005, 3, 1, -1), parts(2005, 2, 28, 23)},
      {parts(2005, 1, 1, 48), parts(2005, 1, 3)},
      {parts(2005, 3, 1, 0, 5 - 60), parts(2005, 2, 28, 23, 5)},
      {parts(1899, 12, 30, 0, 0, -1), parts(1899, 12, 29, 23, 59, 59)},
      {parts(2005, 13, 0, 24), parts(2006, 1, 1)},
  };
  for (const Case &c : cases)
    EXPECT_EQ(splitDate(makeDate(c.in)), c.expected) << c.in;
  EXPECT_EQ(errorNumberOf([] { makeDate(parts(9999, 12, 31, 24)); }), kInvalidCall);
  EXPECT_EQ(errorNumberOf([] { makeDate(parts(100, 1, 1, 0, 0, -1)); }), kInvalidCall);
}

TEST(DateSerialTest, DatesBeforeTheEpochCountTheTimeForwardFromTheDay) {
  EXPECT_EQ(splitDate(Date{-1.25}), parts(1899, 12, 29, 6));
  EXPECT_EQ(splitDate(Date{-0.5}), parts(1899, 12, 30, 12));
  EXPECT_EQ(splitDate(Date{-2.75}), parts(1899, 12, 28, 18));
  EXPECT_EQ(makeDate(parts(1899, 12, 29, 6)).serial, -1.25);
  EXPECT_EQ(makeDate(parts(1899, 12, 28, 18)).serial, -2.75);
}

TEST(DateSerialTest, SplitAndMakeAreInverseOverTheWholeRange) {
  std::mt19937 random(20050301);
  std::uniform_int_distribution<int> year(100, 9999), month(1, 12), day(1, 28), hour(0, 23), sixty(0, 59);
  for (int i = 0; i < 20000; ++i) {
    DateParts p = parts(year(random), month(random), day(random), hour(random), sixty(random), sixty(random));
    Date date = makeDate(p);
    ASSERT_EQ(splitDate(date), p) << date.serial;
    ASSERT_EQ(makeDate(splitDate(date)).serial, date.serial);
  }
}

TEST(DateSerialTest, SplitRoundsToTheNearestSecond) {
  EXPECT_EQ(splitDate(Date{0.5 + 0.4 / 86400}), parts(1899, 12, 30, 12));
  EXPECT_EQ(splitDate(Date{0.5 + 0.6 / 86400}), parts(1899, 12, 30, 12, 0, 1));
  EXPECT_EQ(splitDate(Date{1.0 - 0.3 / 86400}), parts(1899, 12, 31));
  EXPECT_EQ(errorNumberOf([] { splitDate(Date{3e6}); }), kOverflow);
}

TEST(DateArithmeticTest, AddMinutesCarriesAcrossDaysAndTheEpoch) {
  EXPECT_EQ(splitDate(addMinutes(makeDate(parts(2005, 2, 28, 23, 30)), 60)), parts(2005, 3, 1, 0, 30));
  EXPECT_EQ(splitDate(addMinutes(makeDate(parts(2005, 1, 1, 0, 30)), -60)), parts(2004, 12, 31, 23, 30));
  EXPECT_EQ(splitDate(addMinutes(makeDate(parts(1899, 12, 30, 0, 30)), -60)), parts(1899, 12, 29, 23, 30));
  EXPECT_EQ(splitDate(addMinutes(makeDate(parts(1899, 12, 29, 23, 30)), 60)), parts(1899, 12, 30, 0, 30));
  EXPECT_EQ(errorNumberOf([] { addMinutes(makeDate(parts(9999, 12, 31, 23, 30)), 60); }), kInvalidCall);
}

TEST(DateArithmeticTest, MinutesBetweenDropsTheSeconds) {
  struct Case {
    DateParts from, to;
    int64_t minutes;
  };
  const Case cases[] = {
      {parts(2005, 3, 1, 10, 0, 59), parts(2005, 3, 1, 10, 1, 0), 1},
      {parts(2005, 3, 1, 10, 0, 0), parts(2005, 3, 1, 10, 0, 59), 0},
      {parts(2005, 3, 1, 8, 0), parts(2005, 3, 4, 12, 25), 3 * 1440 + 4 * 60 + 25},
      {parts(2005, 3, 1, 10, 30), parts(2005, 3, 1, 9, 0), -90},
      {parts(1899, 12, 29, 23, 0), parts(1899, 12, 30, 1, 0), 120},
      {parts(1800, 1, 1), parts(1800, 1, 2), 1440},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(minutesBetween(makeDate(c.from), makeDate(c.to)), c.minutes) << c.from << " " << c.to;
  }
}

TEST(ToDateTest, NumbersAreSerialsAndTextsAreRead) {
  EXPECT_EQ(toDate(Variant(38412.5), english()), Date{38412.5});
  EXPECT_EQ(toDate(Variant(int32_t{1}), english()), Date{1});
  EXPECT_EQ(toDate(Variant(true), english()), Date{-1});
  EXPECT_EQ(toDate(Variant(), english()), Date{0});
  EXPECT_EQ(toDate(Variant("3/1/2005"), english()), dateSerial(2005, 3, 1));
  EXPECT_EQ(toDate(Variant("01.03.2005"), european()), dateSerial(2005, 3, 1));
  EXPECT_EQ(errorNumberOf([] { toDate(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant("abc"), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant("38412"), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant(1e10), english()); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { toDate(Variant(std::make_shared<Collection>()), english()); }), kTypeMismatch);
}

TEST(TextToDateTest, ReadsTheStylesDateOrderIsoDatesAndTimes) {
  struct Case {
    const Regional *regional;
    const char *text;
    std::optional<DateParts> expected;
  };
  const Regional *en = &english();
  const Regional *eu = &european();
  const Case cases[] = {
      {en, "3/1/2005", parts(2005, 3, 1)},
      {en, " 3/1/2005 1:05:09 PM ", parts(2005, 3, 1, 13, 5, 9)},
      {en, "12/31/99", parts(1999, 12, 31)},
      {en, "1/1/29", parts(2029, 1, 1)},
      {en, "1/1/30", parts(1930, 1, 1)},
      {en, "2005-3-1", parts(2005, 3, 1)},
      {en, "2005-03-01 13:05:09", parts(2005, 3, 1, 13, 5, 9)},
      {en, "1899-12-29 06:00:00", parts(1899, 12, 29, 6)},
      {en, "13:05", parts(1899, 12, 30, 13, 5)},
      {en, "1:05 pm", parts(1899, 12, 30, 13, 5)},
      {en, "12:00 AM", parts(1899, 12, 30)},
      {en, "12:30:01PM", parts(1899, 12, 30, 12, 30, 1)},
      {en, "1 PM", parts(1899, 12, 30, 13)},
      {eu, "01.03.2005", parts(2005, 3, 1)},
      {eu, "1.3.2005 13:05:09", parts(2005, 3, 1, 13, 5, 9)},
      {eu, "31.12.1999", parts(1999, 12, 31)},
      {eu, "2005-03-01 00:00:00", parts(2005, 3, 1)},
      {eu, "23:59:59", parts(1899, 12, 30, 23, 59, 59)},
      {en, "2/30/2005", std::nullopt},
      {en, "2/29/2004", parts(2004, 2, 29)},
      {en, "13/1/2005", std::nullopt},
      {en, "3/1", std::nullopt},
      {en, "24:00", std::nullopt},
      {en, "12:60", std::nullopt},
      {en, "13:00 PM", std::nullopt},
      {en, "3/1/2005 x", std::nullopt},
      {en, "3/1/2005 13", std::nullopt},
      {en, "", std::nullopt},
      {en, "abc", std::nullopt},
      {en, "1.5", std::nullopt},
      {en, "2005-03-01 12:00:00 junk", std::nullopt},
      {en, "0099-01-01", std::nullopt},
      {eu, "12.31.2005", std::nullopt},
      {eu, "1,5", std::nullopt},
  };
  for (const Case &c : cases) {
    auto date = c.regional->textToDate(c.text);
    ASSERT_EQ(date.has_value(), c.expected.has_value()) << '"' << c.text << '"';
    if (date) {
      EXPECT_EQ(splitDate(*date), *c.expected) << '"' << c.text << '"';
    }
  }
}

TEST(DateTextTest, DateOnlyAtMidnightTimeOnlyOnDayZero) {
  struct Case {
    Date date;
    const char *englishText;
    const char *europeanText;
  };
  const Case cases[] = {
      {dateSerial(2005, 3, 1), "3/1/2005", "01.03.2005"},
      {makeDate(parts(2005, 3, 1, 13, 5, 9)), "3/1/2005 1:05:09 PM", "01.03.2005 13:05:09"},
      {makeDate(parts(2005, 12, 11, 9, 5, 3)), "12/11/2005 9:05:03 AM", "11.12.2005 09:05:03"},
      {Date{0.5}, "12:00:00 PM", "12:00:00"},
      {Date{0}, "12:00:00 AM", "00:00:00"},
      {timeSerial(0, 0, 5), "12:00:05 AM", "00:00:05"},
      {timeSerial(0, 0, -1), "12/29/1899 11:59:59 PM", "29.12.1899 23:59:59"},
      {Date{-0.5}, "12:00:00 PM", "12:00:00"},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(english().dateToText(c.date), c.englishText);
    EXPECT_EQ(european().dateToText(c.date), c.europeanText);
    EXPECT_EQ(english().formatDate(c.date, kGeneralDate), c.englishText);
  }
}

TEST(DateTextTest, NamedFormatsInBothStyles) {
  const Date date = makeDate(parts(2005, 3, 1, 13, 5, 9));
  const char *englishTexts[] = {"3/1/2005 1:05:09 PM", "Tuesday, March 1, 2005", "3/1/2005", "1:05:09 PM",
                                "13:05"};
  const char *europeanTexts[] = {"01.03.2005 13:05:09", "Dienstag, 1. M\xC3\xA4rz 2005", "01.03.2005",
                                 "13:05:09", "13:05"};
  for (int format = 0; format <= 4; ++format) {
    EXPECT_EQ(english().formatDate(date, format), englishTexts[format]) << format;
    EXPECT_EQ(european().formatDate(date, format), europeanTexts[format]) << format;
  }
  EXPECT_EQ(english().formatDate(dateSerial(1800, 1, 1), kLongDate), "Wednesday, January 1, 1800");
  EXPECT_EQ(english().formatDate(dateSerial(1899, 12, 29), kLongDate), "Friday, December 29, 1899");
  EXPECT_EQ(english().formatDate(timeSerial(9, 5, 0), kShortTime), "09:05");
  for (int format : {-1, 5, 100}) {
    EXPECT_EQ(errorNumberOf([&] { english().formatDate(date, format); }), kInvalidCall) << format;
  }
}

TEST(DateTextTest, CustomPatternsQuoteLiteralsAndUseAbbreviations) {
  RegionalSettings settings = PortableRegional::englishSettings();
  settings.shortDatePattern = "yyyy-MM-dd";
  settings.longDatePattern = "ddd d MMM yy 'week' \\d";
  PortableRegional iso(settings);
  const Date date = makeDate(parts(2005, 3, 1, 7, 8, 9));
  EXPECT_EQ(iso.formatDate(date, kShortDate), "2005-03-01");
  EXPECT_EQ(iso.formatDate(date, kLongDate), "Tue 1 Mar 05 week d");
  EXPECT_EQ(iso.textToDate("2005-03-01"), dateSerial(2005, 3, 1));
  EXPECT_EQ(iso.dateToText(iso.textToDate("2005-03-01 07:08:09").value()), "2005-03-01 7:08:09 AM");
}

} // namespace
} // namespace qv
