#include "eventlog/wmi_dates.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "tests/eventlog/on_new_thread.hpp"
#include "tests/fakes/fake_management.hpp"

namespace qv {
namespace {

using test::onNewThread;

fake::WmiObjectPtr timeZone(Variant bias) {
  return std::make_shared<fake::WmiObject>(fake::WmiObject{{"Bias", std::move(bias)}});
}

struct LocalZone {
  explicit LocalZone(Variant bias) { setBias(std::move(bias)); }
  void setBias(Variant bias) {
    local->addQuery(kTimeZoneBiasQuery, fake::instances({timeZone(std::move(bias))}));
  }
  std::size_t biasQueries() const {
    std::size_t n = 0;
    for (const auto &q : local->queries)
      n += q == kTimeZoneBiasQuery;
    return n;
  }

  fake::Management management;
  std::shared_ptr<fake::WmiService> local = management.service("WinMgmts:");
  std::shared_ptr<const PortableRegional> regional = PortableRegional::english();
};

DateParts convert(const std::string &text, int32_t bias) {
  DateParts parts;
  onNewThread([&] {
    LocalZone zone{Variant(bias)};
    parts = splitDate(wmiDateToDate(text, zone.management, *zone.regional));
  });
  return parts;
}

TEST(WmiDateToDate, MovesRecordedTimeByBiasLessOffset) {
  struct Case {
    const char *text;
    int32_t bias;
    DateParts expected;
  };
  const Case cases[] = {
      {"20050301120000.000000+060", 120, {2005, 3, 1, 13, 0, 0}},
      {"20050301003000.000000-300", 0, {2005, 3, 1, 5, 30, 0}},
      {"20050301000500.000000+060", 0, {2005, 2, 28, 23, 5, 0}},
      {"20041231235959.999999+000", 0, {2004, 12, 31, 23, 59, 59}},
      {"20041231233000.000000-060", 0, {2005, 1, 1, 0, 30, 0}}, // across the year end
      {"20050301120000.000000+***", 0, {2005, 3, 1, 12, 0, 0}}, // "***" is "000"
      {"200503011200**.******+000", 0, {2005, 3, 1, 12, 0, 0}}, // stars anywhere
      {"20050301120000.000000+000 trailing", -60, {2005, 3, 1, 11, 0, 0}},
      {"20051301120000.000000+000", 0, {2006, 1, 1, 12, 0, 0}}, // month 13 carries
  };
  for (const Case &c : cases) {
    DateParts got = convert(c.text, c.bias);
    const DateParts &want = c.expected;
    EXPECT_EQ((std::vector<int>{got.year, got.month, got.day, got.hour, got.minute, got.second}),
              (std::vector<int>{want.year, want.month, want.day, want.hour, want.minute, want.second}))
        << c.text << " bias " << c.bias;
  }
}

TEST(WmiDateToDate, BadOffsetsFail) {
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
  };
  for (const Case &c : cases) {
    try {
      convert(c.text, c.bias);
      ADD_FAILURE() << c.text << " converted";
    } catch (const AutomationError &error) {
      EXPECT_EQ(error.number(), c.number) << c.text;
    }
  }
}

// The offset or the bias can move a moment written near either end of the
// calendar out of the range of dates; such a moment is no date a script could
// use, so the conversion fails as the runtime's date arithmetic does.
TEST(WmiDateToDate, MomentsMovedPastTheRangeOfDatesOverflow) {
  struct Case {
    const char *text;
    int32_t bias;
    double serial; // 0: must overflow
  };
  const Case cases[] = {
      {"99991231225959.000000-060", 0, 2958465.0 + 86399.0 / 86400}, // the last moment
      {"99991231230000.000000-060", 0, 0},
      {"99991231235959.000000+000", 1, 0},
      {"01000101010000.000000+060", 0, -657434.0}, // the first moment
      {"01000101000000.000000+000", -1, 0},
      {"01000101000000.000000+001", 0, 0},
  };
  for (const Case &c : cases) {
    auto conversion = [&] {
      Date date;
      onNewThread([&] {
        LocalZone zone{Variant(c.bias)};
        date = wmiDateToDate(c.text, zone.management, *zone.regional);
      });
      return date;
    };
    if (c.serial != 0) {
      EXPECT_NEAR(conversion().serial, c.serial, 1e-9) << c.text;
      continue;
    }
    try {
      Date date = conversion();
      ADD_FAILURE() << c.text << " bias " << c.bias << " gave " << date.serial;
    } catch (const AutomationError &error) {
      EXPECT_EQ(error.number(), kOverflow) << c.text;
    }
  }
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
    fake::Management healthy;
    healthy.service("WinMgmts:")->addQuery(kTimeZoneBiasQuery, fake::instances({timeZone(Variant("-60"))}));
    EXPECT_EQ(getTimeZoneBias(healthy, *zone.regional), -60);
  });
}

} // namespace
} // namespace qv
