#include <gtest/gtest.h>

#include <tuple>

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

TEST(TextTest, ConvertsEveryKindThatHasAText) {
  // clang-format off
  const std::tuple<Variant, const char *, const char *> cases[] = {
      {Variant(), "", ""}, {Variant(int16_t{-5}), "-5", "-5"},
      {Variant(int32_t{1234567}), "1234567", "1234567"},
      {Variant(1.5), "1.5", "1,5"}, {Variant(Date{38412.5}), "3/1/2005 12:00:00 PM", "01.03.2005 12:00:00"},
      {Variant(true), "True", "True"}, {Variant(false), "False", "False"},
      {Variant("as is "), "as is ", "as is "},
  };
  // clang-format on
  for (const auto &[value, englishText, europeanText] : cases) {
    EXPECT_EQ(toText(value, english()), englishText) << kindName(value.kind());
    EXPECT_EQ(toText(value, european()), europeanText) << kindName(value.kind());
  }
  EXPECT_EQ(errorNumberOf([] { toText(Variant::null(), english()); }), kInvalidUseOfNull);
  EXPECT_EQ(errorNumberOf([] { toText(Variant(std::make_shared<Collection>()), english()); }), kTypeMismatch);
  EXPECT_EQ(errorNumberOf([] { toText(Variant(VariantArray{}), english()); }), kTypeMismatch);
}

TEST(TextTest, DoublesHaveUpToFifteenSignificantDigits) {
  // clang-format off
  const std::pair<double, const char *> cases[] = {
      {0.0, "0"}, {-0.0, "0"}, {-1.5, "-1.5"}, {100.0, "100"}, {1234.5, "1234.5"}, {0.1 + 0.2, "0.3"},
      {1.0 / 3.0, "0.333333333333333"}, {2.0 / 3.0, "0.666666666666667"},
      {999999999999999.0, "999999999999999"},
      {1e15, "1E+15"}, {9999999999999999.0, "1E+16"}, {123456789012345678.0, "1.23456789012346E+17"},
      {0.0001, "0.0001"}, {0.00012345, "0.00012345"}, {1e-5, "1E-05"}, {1.5e-7, "1.5E-07"}, {1e100, "1E+100"},
      {-2.5e-300, "-2.5E-300"},
  };
  // clang-format on
  for (auto [value, text] : cases)
    EXPECT_EQ(english().doubleToText(value), text) << text;
  EXPECT_EQ(european().doubleToText(1.5e-7), "1,5E-07");
  EXPECT_EQ(european().doubleToText(-0.25), "-0,25");
}

TEST(TextTest, FormatNumberRoundsGroupsAndKeepsTheLeadingZero) {
  // clang-format off
  const std::tuple<double, int, const char *, const char *> cases[] = {
      {1234.5, 2, "1,234.50", "1.234,50"}, {0.5, 2, "0.50", "0,50"}, {2.5, 0, "3", "3"}, {-2.5, 0, "-3", "-3"},
      {-1234567.891, 2, "-1,234,567.89", "-1.234.567,89"}, {0.125, 2, "0.13", "0,13"},
      {1.005, 2, "1.01", "1,01"},
      {999.995, 2, "1,000.00", "1.000,00"}, {-0.001, 2, "0.00", "0,00"}, {1e6, 1, "1,000,000.0", "1.000.000,0"},
      {0.00004, 4, "0.0000", "0,0000"}, {0.00005, 4, "0.0001", "0,0001"}, {1.5, -1, "1.50", "1,50"},
      {102394.0 / 1024, 2, "99.99", "99,99"}, {102395.0 / 1024, 2, "100.00", "100,00"},
      {1e20, 0, "100,000,000,000,000,000,000", "100.000.000.000.000.000.000"},
  };
  // clang-format on
  for (const auto &[value, decimals, englishText, europeanText] : cases) {
    EXPECT_EQ(english().formatNumber(value, decimals), englishText) << value;
    EXPECT_EQ(european().formatNumber(value, decimals), europeanText) << value;
  }
  EXPECT_EQ(errorNumberOf([] { english().formatNumber(1.0, -2); }), kInvalidCall);
  for (double value : {1023.5, 1234567.891, 99999.999, -42.125}) {
    for (const Regional *regional : {&english(), &european()}) {
      auto back = regional->textToNumber(regional->formatNumber(value, 2));
      ASSERT_TRUE(back.has_value()) << value;
      EXPECT_NEAR(*back, value, 0.005 + 1e-9) << value;
    }
  }
}

TEST(CompareTextTest, BinaryModeByCodeUnitsTextModeWithoutLetterCase) {
  // clang-format off
  const std::tuple<const char *, const char *, int, int> cases[] = {
      {"A", "a", -1, 0}, {"B", "a", -1, 1}, {"a", "B", 1, -1}, {"", "a", -1, -1}, {"ab", "a", 1, 1},
      {"16", "4", -1, -1}, {"Name", "NAME", 1, 0}, {"_", "a", -1, -1}, {"z", "\xC3\xA4", -1, -1},
      {"\xC3\x84", "\xC3\xA4", -1, 0} /* Ä ä */, {"\xD0\x96", "\xD0\xB6", -1, 0} /* Ж ж */,
      {"\xCE\xA3", "\xCF\x83", -1, 0} /* Σ σ */,
      // UTF-16 code units, not code points: U+1F600 (a surrogate pair) before U+FFFD.
      {"\xF0\x9F\x98\x80", "\xEF\xBF\xBD", -1, 1},
  };
  // clang-format on
  for (const auto &[a, b, binary, text] : cases) {
    EXPECT_EQ(compareText(a, b, 0, english()), binary) << a << " " << b;
    EXPECT_EQ(compareText(b, a, 0, english()), -binary) << a << " " << b;
    EXPECT_EQ(compareText(a, b, 1, english()), text) << a << " " << b;
    EXPECT_EQ(compareText(b, a, 2, european()), -text) << a << " " << b;
  }
  for (int32_t mode : {-1, 3}) {
    EXPECT_EQ(errorNumberOf([&] { compareText("a", "b", mode, english()); }), kInvalidCall) << mode;
  }
}

TEST(TrimTest, RemovesBlanksOnlyAtBothEnds) {
  const std::pair<const char *, const char *> cases[] = {{"  a b  ", "a b"}, {"\ta ", "\ta"}, {"   ", ""}};
  for (auto [text, expected] : cases)
    EXPECT_EQ(trimmed(text), expected);
  EXPECT_EQ(trim(std::string_view("\0 ", 2)), std::string_view("\0", 1));
  EXPECT_EQ(toLowerAscii("N\xC3\x84me"), "n\xC3\x84me");
  EXPECT_TRUE(equalsIgnoreCase("DisplayName", "DISPLAYNAME"));
  EXPECT_FALSE(equalsIgnoreCase("a", "ab"));
}

} // namespace
} // namespace qv
