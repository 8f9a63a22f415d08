#include "eventlog/page_bounds.hpp"

#include <gtest/gtest.h>

#include <limits>

#include "core/automation_error.hpp"

namespace qv {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

TEST(PageIndex, CountsFromZeroWithEverythingBelowOneAsTheFirstPage) {
  const int32_t cases[][2] = {{4, 3}, {1, 0}, {0, 0}, {-3, 0}, {kMin, 0}, {kMax, kMax - 1}};
  for (const auto &c : cases)
    EXPECT_EQ(pageIndex(c[0]), c[1]) << c[0];
}

TEST(PageBounds, CutsPagesBackFromTheNewestRecord) {
  struct Case {
    int32_t newest, size, index, upper, lower;
  };
  const Case cases[] = {
      {105, 10, 0, 105, 95},
      {105, 10, 1, 95, 85},
      {105, 10, 9, 15, 5},
      {105, 10, 10, 5, 0}, // runs past the oldest record: lower cut to 0
      {105, 10, 11, 5, 0}, // past the end: upper becomes 105 mod 10
      {100, 10, 10, 0, 0}, // nothing left
      {0, 25, 0, 0, -25},  // the first page is never cut
      {0, 25, 3, 0, 0},
      {-7, 5, 1, -2, 0}, // the remainder keeps the dividend's sign
      {kMin, -1, 0, kMin, kMin + 1},
  };
  for (const Case &c : cases) {
    PageBounds bounds = pageBounds(c.newest, c.size, c.index);
    EXPECT_EQ(bounds.upper, c.upper) << c.newest << "/" << c.size << "/" << c.index;
    EXPECT_EQ(bounds.lower, c.lower) << c.newest << "/" << c.size << "/" << c.index;
  }
}

TEST(PageBounds, ArithmeticFailuresAreRuntimeErrors) {
  struct Case {
    int32_t newest, size, index, number;
  };
  const Case cases[] = {
      {105, 0, 0, kDivisionByZero},     {105, 0, 4, kDivisionByZero},
      {105, 100000, 100000, kOverflow}, // size x index
      {kMin, 1, 0, kOverflow},          // newest - size on the first page
      {kMin, 1, 1, kOverflow},          // newest - skipped
      {kMax - 10, -10, 1, kOverflow},   // upper - size
  };
  for (const Case &c : cases) {
    try {
      pageBounds(c.newest, c.size, c.index);
      ADD_FAILURE() << c.newest << "/" << c.size << "/" << c.index << " gave bounds";
    } catch (const AutomationError &error) {
      EXPECT_EQ(error.number(), c.number) << c.newest << "/" << c.size << "/" << c.index;
    }
  }
}

} // namespace
} // namespace qv
