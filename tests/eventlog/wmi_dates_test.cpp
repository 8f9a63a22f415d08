#include "eventlog/wmi_dates.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <exception>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::failureOf;

// Runs a step on a thread of its own, so it starts with a fresh per-thread
// bias cache; failures and exceptions come back to the caller.
template <class Step> void onNewThread(Step &&step) {
  std::exception_ptr failure;
  std::thread([&] {
    try {
      step();
    } catch (...) {
      failure = std::current_exception();
    }
  }).join();
  if (failure) std::rethrow_exception(failure);
}

struct LocalZone {
  explicit LocalZone(Variant bias) { setBias(std::move(bias)); }
  void setBias(Variant bias) {
    local->addQuery(
        kTimeZoneBiasQuery,
        fake::instances({std::make_shared<fake::WmiObject>(fake::WmiObject{{"Bias", std::move(bias)}})}));
  }
  std::size_t biasQueries() const {
    return static_cast<std::size_t>(
        std::count(local->queries.begin(), local->queries.end(), kTimeZoneBiasQuery));
  }

  fake::Management management;
  std::shared_ptr<fake::WmiService> local = management.service("WinMgmts:");
  std::shared_ptr<const PortableRegional> regional = PortableRegional::english();
};

// Each conversion runs on a fresh thread, so the bias is read anew.
Date convertToDate(const std::string &text, int32_t bias) {
  Date date;
  onNewThread([&] {
    LocalZone zone{Variant(bias)};
    date = wmiDateToDate(text, zone.management, *zone.regional);
  });
  return date;
}

std::vector<int> convert(const std::string &text, int32_t bias) {
  DateParts p = splitDate(convertToDate(text, bias));
  return {p.year, p.month, p.day, p.hour, p.minute, p.second};
}

TEST(WmiDateToDate, MovesRecordedTimeByBiasLessOffset) {
  const std::tuple<const char *, int32_t, std::vector<int>> cases[] = {
      {"20050301120000.000000+060", 120, {2005, 3, 1, 13, 0, 0}},
      {"20050301003000.000000-300", 0, {2005, 3, 1, 5, 30, 0}},
      {"20050301000500.000000+060", 0, {2005, 2, 28, 23, 5, 0}},
      {"20041231235959.999999+000", 0, {2004, 12, 31, 23, 59, 59}},
      {"20041231233000.000000-060", 0, {2005, 1, 1, 0, 30, 0}}, // across the year end
      {"20050301120000.000000+***", 0, {2005, 3, 1, 12, 0, 0}}, // "***" is "000"
      {"200503011200**.******+000", 0, {2005, 3, 1, 12, 0, 0}}, // stars anywhere
      {"20050301120000.000000+000 trailing", -60, {2005, 3, 1, 11, 0, 0}},
      {"20051301120000.000000+000", 0, {2006, 1, 1, 12, 0, 0}},     // month 13 carries
      {"99991231225959.000000-060", 0, {9999, 12, 31, 23, 59, 59}}, // the last moment
      {"01000101010000.000000+060", 0, {100, 1, 1, 0, 0, 0}},       // the first moment
  };
  for (const auto &[text, bias, expected] : cases)
    EXPECT_EQ(convert(text, bias), expected) << text << " bias " << bias;
}

// A moment moved out of the range of dates is no date a script could use,
// so it fails as the runtime's date arithmetic does.
TEST(WmiDateToDate, BadOffsetsAndMomentsPastTheRangeOfDatesFail) {
  struct Case {
    const char *text;
    int32_t bias;
    int32_t number;
  };
  const Case cases[] = {
      {"20050301", 0, kTypeMismatch},                  // offset field is blank
      {"20050301120000.000000+abc", 0, kTypeMismatch}, // letters
      {"20050301120000.000000-999", 32000, kOverflow}, // 999 + 32000 leaves 16 bits
      {"20050301120000.000000+999", -32000, kOverflow},
      {"99991231230000.000000-060", 0, kOverflow},
      {"99991231235959.000000+000", 1, kOverflow},
      {"01000101000000.000000+000", -1, kOverflow},
      {"01000101000000.000000+001", 0, kOverflow},
  };
  for (const Case &c : cases)
    // The conversion itself must fail: taking a date apart would refuse one
    // past the range too, and hide a conversion that let it through.
    EXPECT_EQ(failureOf([&] { convertToDate(c.text, c.bias); }).number(), c.number)
        << c.text << " bias " << c.bias;
}

TEST(TimeZoneBias, ReadOnceFromTheLocalComputerPerThread) {
  onNewThread([] {
    LocalZone zone{Variant(int32_t{120})};
    fake::Management &management = zone.management;
    EXPECT_EQ(getTimeZoneBias(management, *zone.regional), 120);
    zone.setBias(Variant(int32_t{30})); // never refreshed once read
    wmiDateToDate("20050301120000.000000+000", management, *zone.regional);
    EXPECT_EQ(getTimeZoneBias(management, *zone.regional), 120);
    EXPECT_EQ(zone.biasQueries(), 1u);
    EXPECT_EQ(management.connects, std::vector<std::string>{"WinMgmts:"});

    // Another thread has its own cache and reads the current bias.
    onNewThread([&] { EXPECT_EQ(getTimeZoneBias(management, *zone.regional), 30); });
    EXPECT_EQ(zone.biasQueries(), 2u);
    EXPECT_EQ(getTimeZoneBias(management, *zone.regional), 120);
  });
}

TEST(TimeZoneBias, NothingCachedWithoutAnInstanceOrWhenTheQueryFails) {
  onNewThread([] {
    LocalZone zone{Variant(int32_t{0})};
    zone.local->addQuery(kTimeZoneBiasQuery, fake::instances({}));
    EXPECT_EQ(getTimeZoneBias(zone.management, *zone.regional), 0);
    EXPECT_EQ(getTimeZoneBias(zone.management, *zone.regional), 0);
    EXPECT_EQ(zone.biasQueries(), 2u);

    zone.local->failWith(fake::wmiError(static_cast<int32_t>(0x80041003), "Access denied "));
    EXPECT_THROW(wmiDateToDate("20050301120000.000000+000", zone.management, *zone.regional),
                 AutomationError);

    // The failure left nothing behind: a working service is asked again.
    LocalZone healthy{Variant("-60")};
    EXPECT_EQ(getTimeZoneBias(healthy.management, *zone.regional), -60);
  });
}

} // namespace
} // namespace qv
