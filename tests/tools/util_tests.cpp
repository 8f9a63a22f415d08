#include "tools/util.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/support/failure_of.hpp"

namespace qv::test {
namespace {

Util utilFor(std::shared_ptr<const Regional> regional) {
  return Util(Platform{nullptr, nullptr, nullptr, std::move(regional)});
}

// The conversions themselves are the core's (tested there); these are what
// Util adds: Null as false, the parts returned unchanged, the format range.
TEST(Util, IifTakesNullAsFalseAndReturnsThePartUnchanged) {
  Util util = utilFor(PortableRegional::english());
  const Variant yes("yes");
  const Variant no(VariantArray{1, {Variant(int16_t{4})}});
  EXPECT_EQ(util.iif(Variant::null(), yes, no), no);
  EXPECT_EQ(util.iif(Variant("True"), yes, no), yes);
  EXPECT_EQ(util.iif(Variant(int32_t{0}), yes, no), no);
  EXPECT_EQ(failureOf([&] { util.iif("maybe", yes, no); }).number(), kTypeMismatch);
  EXPECT_DOUBLE_EQ(utilFor(PortableRegional::european()).val("3,5"), 3) << "Val ignores the regional style";
}

TEST(Util, FormatDateTimeTakesTheNamedFormatsOnly) {
  Util util = utilFor(PortableRegional::european());
  const Date moment = makeDate(DateParts{2005, 3, 1, 13, 5, 9});
  EXPECT_EQ(util.formatDateTime(moment, 2), Variant("01.03.2005"));
  EXPECT_EQ(util.formatDateTime(moment, 4), Variant("13:05"));
  for (int32_t format : {5, -1, 255}) {
    auto error = failureOf([&] { util.formatDateTime(moment, format); });
    EXPECT_EQ(error.number(), kInvalidCall);
    EXPECT_EQ(error.description(), "Invalid procedure call or argument");
  }
}

TEST(Util, TranslateStringDateTrimsTheCallersTextAlsoWhenItFails) {
  Util util = utilFor(PortableRegional::english());
  std::string text = "  20050301120000.000000+060 ";
  EXPECT_EQ(splitDate(util.translateStringDate(text)).hour, 11);
  EXPECT_EQ(text, "20050301120000.000000+060");
  text = " 20050301******.******+*** "; // the date-only rule of the listings does not apply here
  EXPECT_EQ(failureOf([&] { util.translateStringDate(text); }).description(),
            "Error translating string to date: Type mismatch");
  EXPECT_EQ(text, "20050301******.******+***");
}

} // namespace
} // namespace qv::test
