#include "eventlog/page_bounds.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

// The worked example goes through EnumLogEvents; these are the edges a log
// cannot easily reach.
TEST(PageBounds, CutsPagesBackFromTheNewestRecord) {
  const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
      {0, 25, 3, 0, 0},
      {-7, 5, 1, -2, 0}, // the remainder keeps the dividend's sign
      {kMin, -1, 0, kMin, kMin + 1},
  };
  for (const auto &[newest, size, index, upper, lower] : cases) {
    PageBounds bounds = pageBounds(newest, size, index);
    EXPECT_EQ(bounds.upper, upper) << newest << "/" << size << "/" << index;
    EXPECT_EQ(bounds.lower, lower) << newest << "/" << size << "/" << index;
  }
  EXPECT_EQ(pageIndex(kMin), 0);
  EXPECT_EQ(pageIndex(kMax), kMax - 1);
}

TEST(PageBounds, ArithmeticFailuresAreRuntimeErrors) {
  struct Case {
    int32_t newest, size, index, number;
  };
  const Case cases[] = {
      {105, 0, 4, kDivisionByZero},
      {kMin, 1, 0, kOverflow},        // newest - size on the first page
      {kMin, 1, 1, kOverflow},        // newest - skipped
      {kMax - 10, -10, 1, kOverflow}, // upper - size
  };
  for (const Case &c : cases) {
    EXPECT_EQ(test::failureOf([&] { pageBounds(c.newest, c.size, c.index); }).number(), c.number)
        << c.newest << "/" << c.size << "/" << c.index;
  }
}

} // namespace
} // namespace qv
