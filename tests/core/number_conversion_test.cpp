#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

#include "core/collection.hpp"
#include "core/convert.hpp"
#include "core/number_reading.hpp"
#include "core/portable_regional.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/kind_name.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

const Regional &english() { return *PortableRegional::english(); }
const Regional &european() { return *PortableRegional::european(); }

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(WholeNumberTest, RoundsHalfToEvenAndOverflowsOutsideTheRange) {
  // clang-format off
  const std::pair<double, int32_t> cases[] = {
      {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {2.4999, 2}, {-2.5001, -3},
      {32767.4, 32767}, {-32768.5, -32768}, {65535.5, 65536}, {-2147483648.5, -2147483647 - 1},
  };
  // clang-format on
  for (auto [value, expected] : cases) {
    EXPECT_EQ(toInt32(Variant(value), english()), expected) << value;
    if (expected >= -32768 && expected <= 32767) {
      EXPECT_EQ(toInt16(Variant(value), english()), expected) << value;
    }
  }
  for (double value : {32768.0, 32767.5, -32769.0, -32768.6, kNaN}) {
    EXPECT_EQ(errorNumberOf([&] { toInt16(Variant(value), english()); }), kOverflow) << value;
  }
  for (double value : {2147483647.5, -2147483649.0, kNaN}) {
    EXPECT_EQ(errorNumberOf([&] { toInt32(Variant(value), english()); }), kOverflow) << value;
  }
  EXPECT_EQ(errorNumberOf([] { toInt16(Variant(int32_t{32768}), english()); }), kOverflow);
}

TEST(WholeNumberTest, ReadsOtherKindsAndFailsForNullTextAndObjects) {
  // clang-format off
  const std::tuple<Variant, int32_t> cases[] = {
      {Variant(), 0}, {Variant(true), -1}, {Variant(false), 0}, {Variant(int16_t{-12}), -12},
      {Variant(Date{45001.5}), 45002}, {Variant("2.5"), 2}, {Variant(" 12 "), 12}, {Variant("1,234"), 1234},
      {Variant("-1.5E+2"), -150}, {Variant("&HFFFF"), -1}, {Variant("&H10000"), 65536},
  };
  // clang-format on
  for (const auto &[value, expected] : cases)
    EXPECT_EQ(toInt32(value, english()), expected) << kindName(value.kind());
  EXPECT_EQ(toInt32(Variant("2,5"), european()), 2);
  EXPECT_EQ(toInt16(Variant("1.234"), european()), 1234);

  const std::pair<Variant, int32_t> failures[] = {
      {Variant::null(), kInvalidUseOfNull},
      {Variant("abc"), kTypeMismatch},
      {Variant(""), kTypeMismatch},
      {Variant("1/1/2005"), kTypeMismatch},
      {Variant(VariantArray{}), kTypeMismatch},
      {Variant(std::make_shared<Collection>()), kTypeMismatch},
  };
  for (const auto &c : failures) {
    const Variant &value = c.first;
    EXPECT_EQ(errorNumberOf([&] { toInt16(value, english()); }), c.second) << kindName(value.kind());
    EXPECT_EQ(errorNumberOf([&] { toDouble(value, english()); }), c.second) << kindName(value.kind());
  }
  // Without regional settings no text reads as a number.
  EXPECT_EQ(errorNumberOf([] { toInt32(Variant("12")); }), kTypeMismatch);
  EXPECT_EQ(toDouble(Variant(Date{38412.25})), 38412.25);
}

TEST(BooleanTest, NumbersAreTrueWhenNotZeroAndTextsNameTheValue) {
  // clang-format off
  const std::pair<Variant, bool> cases[] = {
      {Variant(), false}, {Variant(int16_t{0}), false}, {Variant(-0.5), true}, {Variant(Date{1.5}), true},
      {Variant("True"), true}, {Variant("FALSE"), false}, {Variant(" true "), true}, {Variant("0.0"), false},
      {Variant("-1"), true},
  };
  // clang-format on
  for (const auto &[value, expected] : cases)
    EXPECT_EQ(toBool(value, english()), expected) << kindName(value.kind());
  EXPECT_EQ(errorNumberOf([] { toBool(Variant("yes"), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toBool(Variant::null(), english()); }), kInvalidUseOfNull);
}

TEST(ValTest, ReadsTheLongestLeadingNumber) {
  // clang-format off
  const std::pair<const char *, double> cases[] = {
      {"  12 34abc", 1234}, {"&H1F", 31}, {"&h1f", 31}, {"&O17", 15}, {"abc", 0}, {"", 0}, {"1.5e3", 1500},
      {"-12.5", -12.5}, {"+7", 7}, {"-.5E1", -5}, {"1.2.3", 1.2}, {"1e+", 1}, {"2D2", 200}, {"1 e 3", 1000},
      {"\t1\n2", 12}, {"- 5", -5}, {"1,000", 1}, {"$5", 0}, {"--1", 0}, {"1e-400", 0},
      {"&HFFFF", -1}, {"&H8000", -32768}, {"&H10000", 65536}, {"&HFFFFFFFF", -1}, {"&O177777", -1},
      {"&H1 FZ", 31}, {"&H", 0}, {"&HG", 0},
  };
  // clang-format on
  for (auto [text, expected] : cases)
    EXPECT_EQ(val(text), expected) << '"' << text << '"';
  for (const char *text : {"&H123456789", "&O77777777777", "1e400", "-1e309"}) {
    EXPECT_EQ(errorNumberOf([&] { val(text); }), kOverflow) << text;
  }
}

TEST(StrictNumberTest, ReadsOnlyAWholeNumberTextWithTheStylesSeparators) {
  using Expected = std::optional<double>;
  constexpr std::nullopt_t none = std::nullopt;
  // clang-format off
  const std::pair<const char *, Expected> invariant[] = {
      {"  42 ", 42}, {"-1.5", -1.5}, {"1e3", 1000}, {"&H10", 16}, {".5", 0.5}, {"5.", 5}, {"\t7\r\n", 7},
      {"1,000", none}, {"", none}, {"   ", none}, {"12a", none}, {".", none}, {"+-1", none}, {"1e", none},
      {"1 2", none}, {"&H", none}, {"1e400", none},
  };
  const std::pair<const char *, Expected> englishCases[] = {
      {"1,234.5", 1234.5}, {" -1.5E+2 ", -150}, {"12D-1", 1.2}, {"1,,2", none}, {",1", none}, {"1,", none},
      {"1.234,5", none},
  };
  // The group separator is skipped wherever it stands between digits, as the runtime does: "1.5" is 15.
  const std::pair<const char *, Expected> europeanCases[] = {
      {"1.234,5", 1234.5}, {"-0,25", -0.25}, {"1.000.000", 1e6}, {"1.5", 15}, {"1,234.5", none},
  };
  // clang-format on
  for (const auto &[text, expected] : invariant)
    EXPECT_EQ(numbers::readStrictNumber(text, ".", ""), expected) << text;
  for (const auto &[text, expected] : englishCases)
    EXPECT_EQ(english().textToNumber(text), expected) << text;
  for (const auto &[text, expected] : europeanCases)
    EXPECT_EQ(european().textToNumber(text), expected) << text;
}

} // namespace
} // namespace qv
