// Page bounds and dates: the arithmetic a log cannot easily reach.

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "core/convert.hpp"
#include "eventlog/page_bounds.hpp"
#include "eventlog/wmi_dates.hpp"
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
      {kMin + 1, 1, 0, kMin + 1, kMin, 0}, // the lowest bound there is
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

// A zone of fixed offset, or one whose daylight saving (an hour more) runs
// from 2025-10-04 16:00 to 2026-04-04 16:00 universal time, as Sydney's does.
std::function<int32_t(Date)> zone(int32_t standard, bool daylight = false) {
  return [=](Date universal) {
    const bool summer = daylight && universal.serial >= makeDate({2025, 10, 4, 16, 0, 0}).serial &&
                        universal.serial < makeDate({2026, 4, 4, 16, 0, 0}).serial;
    return standard + (summer ? 60 : 0);
  };
}

std::vector<int> partsOf(Date date) {
  DateParts p = splitDate(date);
  return {p.year, p.month, p.day, p.hour, p.minute, p.second};
}

std::vector<int> convert(const std::string &text, std::function<int32_t(Date)> hostZone) {
  fake::System host;
  host.zoneMinutes = std::move(hostZone);
  return partsOf(wmiDateToDate(text, host, *PortableRegional::english()));
}

TEST(WmiDateToDate, TheRecordedMomentIsShownByTheHostZonesRulesForThatMomentOrFails) {
  const std::tuple<const char *, std::function<int32_t(Date)>, std::vector<int>> cases[] = {
      {"20050301120000.000000+060", zone(120), {2005, 3, 1, 13, 0, 0}},
      {"20050301000500.000000+060", zone(0), {2005, 2, 28, 23, 5, 0}},
      {"20041231233000.000000-060", zone(0), {2005, 1, 1, 0, 30, 0}},
      {"200503011200**.******+***", zone(0), {2005, 3, 1, 12, 0, 0}}, // a star is a 0
      {"20050301120000.000000+000 trailing", zone(-60), {2005, 3, 1, 11, 0, 0}},
      {"99991231225959.000000-060", zone(0), {9999, 12, 31, 23, 59, 59}}, // the last moment
      {"01000101010000.000000+060", zone(0), {100, 1, 1, 0, 0, 0}},       // the first moment
      // Daylight saving of the host at the moment itself, not at the reading.
      {"20260301120000.000000+060", zone(600, true), {2026, 3, 1, 22, 0, 0}},
      {"20260404155959.000000+000", zone(600, true), {2026, 4, 5, 2, 59, 59}},
      {"20260404160000.000000+000", zone(600, true), {2026, 4, 5, 2, 0, 0}},
      {"20260701120000.000000+000", zone(600, true), {2026, 7, 1, 22, 0, 0}},
  };
  for (const auto &[text, hostZone, expected] : cases)
    EXPECT_EQ(convert(text, hostZone), expected) << text;

  // A moment off the range of dates fails, before or after the move into
  // the host's zone, as the runtime's date arithmetic does.
  const std::tuple<const char *, int32_t, int32_t> failures[] = {
      {"20050301", 0, kTypeMismatch}, // the offset is blank
      {"20050301120000.000000-99x", 0, kTypeMismatch},
      {"99991231235959.000000+000", 1, kOverflow},
      {"99991231235959.000000-001", 0, kOverflow},
      {"01000101000000.000000+001", 0, kOverflow},
      {"01000101000000.000000+000", -1, kOverflow},
  };
  for (const auto &[text, minutes, number] : failures)
    EXPECT_EQ(test::errorNumberOf([&, t = text, m = minutes] { convert(t, zone(m)); }), number) << text;
}

} // namespace
} // namespace qv
