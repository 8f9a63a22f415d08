#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/collection.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/core/error_expect.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

const Regional &english() { return *PortableRegional::english(); }
const Regional &european() { return *PortableRegional::european(); }

Variant array() { return Variant(VariantArray{0, {Variant(int32_t{1})}}); }
Variant object() { return Variant(std::make_shared<Collection>()); }

TEST(WholeNumberTest, RoundsHalfToEven) {
  const std::pair<double, int32_t> cases[] = {
      {2.5, 2},    {3.5, 4},      {-2.5, -2},       {-3.5, -4},
      {0.5, 0},    {1.5, 2},      {-0.5, 0},        {2.4999, 2},
      {2.5001, 3}, {-2.5001, -3}, {32767.4, 32767}, {-32768.5, -32768},
      {1e-300, 0}, {-7.0, -7},    {65535.5, 65536}, {2147483646.5, 2147483646},
  };
  for (auto [value, expected] : cases) {
    EXPECT_EQ(roundToInt32(value), expected) << value;
    EXPECT_EQ(toInt32(Variant(value), english()), expected) << value;
    if (expected >= -32768 && expected <= 32767) {
      EXPECT_EQ(toInt16(Variant(value), english()), expected) << value;
    }
  }
}

TEST(WholeNumberTest, FailsWithOverflowOutsideTheRange) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (double value : {32768.0, 32767.5, -32769.0, -32768.6, 1e300, nan}) {
    EXPECT_EQ(errorNumberOf([&] { toInt16(Variant(value), english()); }), kOverflow) << value;
  }
  EXPECT_EQ(errorNumberOf([] { toInt16(Variant(int32_t{32768}), english()); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { toInt16(Variant("40000"), english()); }), kOverflow);
  for (double value : {2147483648.0, 2147483647.5, -2147483649.0, nan}) {
    EXPECT_EQ(errorNumberOf([&] { toInt32(Variant(value), english()); }), kOverflow) << value;
  }
  EXPECT_EQ(toInt32(Variant(-2147483648.5), english()), std::numeric_limits<int32_t>::min());
}

TEST(WholeNumberTest, ReadsOtherKinds) {
  struct Case {
    Variant value;
    int32_t expected;
  };
  const Case cases[] = {
      {Variant(), 0},
      {Variant(true), -1},
      {Variant(false), 0},
      {Variant(int16_t{-12}), -12},
      {Variant(Date{45000.5}), 45000},
      {Variant(Date{45001.5}), 45002},
      {Variant("2.5"), 2},
      {Variant(" 12 "), 12},
      {Variant("1,234"), 1234},
      {Variant("-1.5E+2"), -150},
      {Variant("&HFFFF"), -1},
      {Variant("&H10000"), 65536},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(toInt32(c.value, english()), c.expected) << kindName(c.value.kind());
    if (c.expected >= -32768 && c.expected <= 32767) {
      EXPECT_EQ(toInt16(c.value, english()), c.expected) << kindName(c.value.kind());
    } else {
      EXPECT_EQ(errorNumberOf([&] { toInt16(c.value, english()); }), kOverflow) << kindName(c.value.kind());
    }
  }
  EXPECT_EQ(toInt32(Variant("2,5"), european()), 2);
  EXPECT_EQ(toInt32(Variant("1.234"), european()), 1234);
  EXPECT_EQ(toInt32(Variant(int16_t{5})), 5);
}

TEST(WholeNumberTest, FailsForNullTextsThatAreNoNumberAndObjects) {
  struct Case {
    Variant value;
    int32_t number;
  };
  const Case cases[] = {
      {Variant::null(), kInvalidUseOfNull},
      {Variant("abc"), kTypeMismatch},
      {Variant(""), kTypeMismatch},
      {Variant("12abc"), kTypeMismatch},
      {Variant("1/1/2005"), kTypeMismatch},
      {object(), kTypeMismatch},
      {array(), kTypeMismatch},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(errorNumberOf([&] { toInt16(c.value, english()); }), c.number) << kindName(c.value.kind());
    EXPECT_EQ(errorNumberOf([&] { toInt32(c.value, english()); }), c.number) << kindName(c.value.kind());
    EXPECT_EQ(errorNumberOf([&] { toDouble(c.value, english()); }), c.number) << kindName(c.value.kind());
  }
  // Without regional settings no text reads as a number.
  EXPECT_EQ(errorNumberOf([] { toInt32(Variant("12")); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toDouble(Variant("12")); }), kTypeMismatch);
}

TEST(DoubleTest, ReadsNumbersTextsAndOtherKinds) {
  EXPECT_EQ(toDouble(Variant("1.5e3"), english()), 1500.0);
  EXPECT_EQ(toDouble(Variant("1,234.5"), english()), 1234.5);
  EXPECT_EQ(toDouble(Variant("1.234,5"), european()), 1234.5);
  EXPECT_EQ(toDouble(Variant(Date{38412.25}), english()), 38412.25);
  EXPECT_EQ(toDouble(Variant(true)), -1.0);
  EXPECT_EQ(toDouble(Variant(int32_t{-40000})), -40000.0);
  EXPECT_EQ(toDouble(Variant()), 0.0);
  EXPECT_EQ(errorNumberOf([] { toDouble(Variant("1e400"), english()); }), kTypeMismatch);
}

TEST(BooleanTest, NumbersAreTrueWhenNotZeroAndTextsNameTheValue) {
  struct Case {
    Variant value;
    bool expected;
  };
  const Case cases[] = {
      {Variant(), false},         {Variant(int16_t{0}), false}, {Variant(int32_t{2}), true},
      {Variant(-0.5), true},      {Variant(0.0), false},        {Variant(Date{0}), false},
      {Variant(Date{1.5}), true}, {Variant("True"), true},      {Variant("FALSE"), false},
      {Variant(" true "), true},  {Variant("1"), true},         {Variant("0.0"), false},
      {Variant("-1"), true},      {Variant(true), true},
  };
  for (const Case &c : cases)
    EXPECT_EQ(toBool(c.value, english()), c.expected) << kindName(c.value.kind());
  EXPECT_EQ(errorNumberOf([] { toBool(Variant("yes"), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toBool(Variant(""), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toBool(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toBool(object(), english()); }), kTypeMismatch);
}

TEST(ValTest, ReadsTheLongestLeadingNumber) {
  const std::pair<const char *, double> cases[] = {
      {"  12 34abc", 1234},
      {"&H1F", 31},
      {"&h1f", 31},
      {"&O17", 15},
      {"abc", 0},
      {"", 0},
      {"1.5e3", 1500},
      {"-12.5", -12.5},
      {"+7", 7},
      {".5", 0.5},
      {"-.5E1", -5},
      {"1.2.3", 1.2},
      {"1e", 1},
      {"1e+", 1},
      {"2D2", 200},
      {"1 e 3", 1000},
      {"\t1\n2", 12},
      {"- 5", -5},
      {"1,000", 1},
      {"$5", 0},
      {"--1", 0},
      {"1615 198th Street N.E.", 1615198},
      {"&HFFFF", -1},
      {"&H8000", -32768},
      {"&H7FFF", 32767},
      {"&H10000", 65536},
      {"&HFFFFFFFF", -1},
      {"&H80000000", -2147483648.0},
      {"&O177777", -1},
      {"&H1 F", 31},
      {"&H1FZ", 31},
      {"&H", 0},
      {"&HG", 0},
      {"&Z1", 0},
      {"1e-400", 0},
      {"0.1", 0.1},
  };
  for (auto [text, expected] : cases)
    EXPECT_EQ(val(text), expected) << '"' << text << '"';
  EXPECT_FALSE(std::signbit(val("-0")));
}

TEST(ValTest, FailsWithOverflowForNumbersNoDoubleHolds) {
  EXPECT_EQ(errorNumberOf([] { val("&H123456789"); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { val("&O77777777777"); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { val("1e400"); }), kOverflow);
  EXPECT_EQ(errorNumberOf([] { val("-1e309"); }), kOverflow);
}

TEST(StrictNumberTest, InvariantReadingAcceptsOnlyAWholeNumberText) {
  const std::pair<const char *, std::optional<double>> cases[] = {
      {"  42 ", 42},
      {"-1.5", -1.5},
      {"1e3", 1000},
      {"&H10", 16},
      {".5", 0.5},
      {"5.", 5},
      {"\t7\r\n", 7},
      {"250000000", 2.5e8},
      {"1,000", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"12a", std::nullopt},
      {".", std::nullopt},
      {"+-1", std::nullopt},
      {"1e", std::nullopt},
      {"1 2", std::nullopt},
      {"&H", std::nullopt},
      {"&HFG", std::nullopt},
      {"1e400", std::nullopt},
  };
  for (const auto &[text, expected] : cases)
    EXPECT_EQ(parseInvariantNumber(text), expected) << '"' << text << '"';
}

TEST(StrictNumberTest, RegionalReadingUsesTheStylesSeparators) {
  const std::pair<const char *, std::optional<double>> englishCases[] = {
      {"1,234.5", 1234.5},    {" -1.5E+2 ", -150},  {"1,234,567", 1234567}, {"12D-1", 1.2},
      {"1,,2", std::nullopt}, {",1", std::nullopt}, {"1,", std::nullopt},   {"1.234,5", std::nullopt},
  };
  for (const auto &[text, expected] : englishCases) {
    EXPECT_EQ(english().textToNumber(text), expected) << '"' << text << '"';
  }
  const std::pair<const char *, std::optional<double>> europeanCases[] = {
      {"1.234,5", 1234.5},
      {"2,5", 2.5},
      {"-0,25", -0.25},
      {"1.000.000", 1e6},
      // The group separator is skipped wherever it stands between digits, as the runtime does.
      {"1.5", 15},
      {"1,234.5", std::nullopt},
  };
  for (const auto &[text, expected] : europeanCases) {
    EXPECT_EQ(european().textToNumber(text), expected) << '"' << text << '"';
  }
}

} // namespace
} // namespace qv
