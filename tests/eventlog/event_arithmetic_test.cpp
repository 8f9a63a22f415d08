// Page bounds and dates: the arithmetic a log cannot easily reach.

#include <gtest/gtest.h>

#include <future>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/convert.hpp"
#include "eventlog/page_bounds.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(PageBounds, CutsPagesBackFromTheNewestRecordOrFails) {
  const std::tuple<int32_t, int32_t, int32_t, int32_t, int32_t, int32_t> cases[] = {
      // newest, size, index, upper, lower, failure
      {0, 25, 3, 0, 0, 0},
      {-7, 5, 1, -2, 0, 0}, // the remainder keeps the dividend's sign
      {kMin, -1, 0, kMin, kMin + 1, 0},
      {105, 0, 4, 0, 0, kDivisionByZero},
      {kMin, 1, 0, 0, 0, kOverflow},                                       // newest - size on the first page
      {kMin, 1, 1, 0, 0, kOverflow},                                       // newest - skipped
      {std::numeric_limits<int32_t>::max() - 10, -10, 1, 0, 0, kOverflow}, // upper - size
  };
  for (const auto &[newest, size, index, upper, lower, failure] : cases) {
    SCOPED_TRACE(testing::Message() << newest << "/" << size << "/" << index);
    // Bounds are read only after a call that returned: GCC 12 at -O1 and
    // above drops the zeroing of a local that a throwing call was to
    // overwrite, so after a throw it still holds the last case's bounds.
    PageBounds bounds{};
    EXPECT_EQ(test::errorNumberOf([&, n = newest, s = size, i = index] { bounds = pageBounds(n, s, i); }),
              failure);
    if (failure == 0) {
      EXPECT_EQ(std::make_pair(bounds.upper, bounds.lower), std::make_pair(upper, lower));
    }
  }
}

// Each conversion runs on a thread of its own, which starts with a fresh
// per-thread bias cache; get() passes a failure on.
std::vector<int> convert(const std::string &text, int32_t bias) {
  return std::async(std::launch::async,
                    [&] {
                      test::EventLogWorld world;
                      world.setBias(Variant(bias));
                      DateParts p = splitDate(wmiDateToDate(text, *world.management, *world.regional));
                      return std::vector<int>{p.year, p.month, p.day, p.hour, p.minute, p.second};
                    })
      .get();
}

TEST(WmiDateToDate, MovesRecordedTimeByBiasLessOffsetOrFails) {
  const std::tuple<const char *, int32_t, std::vector<int>> cases[] = {
      {"20050301120000.000000+060", 120, {2005, 3, 1, 13, 0, 0}},
      {"20050301000500.000000+060", 0, {2005, 2, 28, 23, 5, 0}},
      {"20041231233000.000000-060", 0, {2005, 1, 1, 0, 30, 0}},
      {"200503011200**.******+***", 0, {2005, 3, 1, 12, 0, 0}}, // a star is a 0
      {"20050301120000.000000+000 trailing", -60, {2005, 3, 1, 11, 0, 0}},
      {"99991231225959.000000-060", 0, {9999, 12, 31, 23, 59, 59}}, // the last moment
      {"01000101010000.000000+060", 0, {100, 1, 1, 0, 0, 0}},       // the first moment
  };
  for (const auto &[text, bias, expected] : cases)
    EXPECT_EQ(convert(text, bias), expected) << text << " bias " << bias;

  // A moment moved out of the range of dates fails in the conversion itself,
  // as the runtime's date arithmetic does.
  const std::tuple<const char *, int32_t, int32_t> failures[] = {
      {"20050301", 0, kTypeMismatch},                  // the offset is blank
      {"20050301120000.000000-999", 32000, kOverflow}, // leaves 16 bits
      {"20050301120000.000000+999", -32000, kOverflow},
      {"99991231235959.000000+000", 1, kOverflow},
      {"01000101000000.000000+001", 0, kOverflow},
  };
  for (const auto &[text, bias, number] : failures)
    EXPECT_EQ(test::errorNumberOf([&, t = text, b = bias] { convert(t, b); }), number)
        << text << " bias " << bias;
}

} // namespace
} // namespace qv
