// Finding entries by time and type: the one query asked, what reaches it
// from the caller, and how much of the answer is read.

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "core/convert.hpp"
#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

const std::string kWholeSystem = "Select * from Win32_NTLogEvent where LogFile='System'";

class FindEventsTest : public ::testing::Test {
protected:
  // The host is an hour east of universal time.
  FindEventsTest() {
    world.system->zoneMinutes = [](Date) { return 60; };
  }

  // The query findEvents asked, or the failure's number and description.
  std::tuple<std::string, int32_t, std::string> asked(const std::string &log, const Variant &since,
                                                      const Variant &types, const Variant &max = Variant()) {
    world.target->onQuery([](std::string_view) {
      return std::make_unique<fake::GeneratedSet>([](std::size_t) { return nullptr; },
                                                  std::make_shared<std::size_t>(0));
    });
    world.target->queries.clear();
    const auto [number, description] =
        test::raisedBy([&] { events.findEvents("srv", log, since, types, max); });
    return {world.target->queries.empty() ? "" : world.target->queries.back(), number, description};
  }

  test::EventLogWorld world;
  EventLog events{world.platform};
};

TEST_F(FindEventsTest, OneQueryHoldsTheUniversalTimeAndTheTypesAndNothingElseOfTheCaller) {
  const Variant noon(makeDate({2005, 3, 1, 12, 0, 0}));
  const std::string since = " and TimeGenerated >= '20050301110000.000000+000'";
  const Variant none;
  // log, since, types, the query's text after the log's condition.
  const std::tuple<std::string, Variant, Variant, std::string> cases[] = {
      {"System", none, none, kWholeSystem},
      {"System", noon, none, kWholeSystem + since},
      {"System", "3/1/2005 00:30:00", none,
       kWholeSystem + " and TimeGenerated >= '20050228233000.000000+000'"},
      {"System", noon, " warning ,ERROR,Warning",
       kWholeSystem + since + " and (EventType = 2 or EventType = 1)"},
      {"System", none, "security audit success,Security Audit Failure, Information",
       kWholeSystem + " and (EventType = 4 or EventType = 5 or EventType = 3)"},
      {"System", none, "  ", kWholeSystem},
      {"x' or LogFile<>'", none, "Error",
       "Select * from Win32_NTLogEvent where LogFile='x\\' or LogFile<>\\'' and (EventType = 1)"},
  };
  for (const auto &[log, from, types, query] : cases) {
    SCOPED_TRACE(query);
    EXPECT_EQ(asked(log, from, types), std::make_tuple(query, 0, std::string()));
  }
}

TEST_F(FindEventsTest, BadArgumentsFailBeforeAnyQueryWithTheEntryNamed) {
  const std::string invalid = "Error with findEvents: Invalid procedure call or argument";
  const std::string range = invalid + ": maxEvents must be from 1 to 10000";
  const std::string mismatch = "Error with findEvents: Type mismatch";
  const Variant none;
  // since, types, maxEvents, the failure.
  const std::tuple<Variant, Variant, Variant, int32_t, std::string> cases[] = {
      {none, "Error) or (EventType = 3", none, kInvalidCall,
       invalid + ": 'Error) or (EventType = 3' is not an event type"},
      {none, "Error,,Warning", none, kInvalidCall, invalid + ": '' is not an event type"},
      {none, none, int32_t{0}, kInvalidCall, range},
      {none, none, int32_t{10001}, kInvalidCall, range},
      {none, none, "many", kTypeMismatch, mismatch},
      {"yesterday'", none, none, kTypeMismatch, mismatch},
      {Variant::null(), none, none, kInvalidUseOfNull, "Error with findEvents: Invalid use of Null"},
  };
  for (const auto &[since, types, max, number, description] : cases) {
    SCOPED_TRACE(description);
    EXPECT_EQ(asked("System", since, types, max), std::make_tuple(std::string(), number, description));
  }
}

// A million entries answer the query; only what is asked for is read, in
// the service's order. The records themselves are the pages' (eventsOf).
TEST_F(FindEventsTest, ReadsAtMostMaxEventsOfAMillionNewestFirst) {
  const std::string query = kWholeSystem + " and (EventType = 1)";
  world.target->addQuery(query, [](std::size_t i) -> ManagementObjectPtr {
    if (i >= 1000000) return nullptr;
    return test::eventEntry("System", static_cast<int32_t>(1000000 - i));
  });
  for (const auto &[max, expected] :
       {std::pair{Variant(), 100u}, std::pair{Variant(int32_t{1000}), 1000u}, std::pair{Variant("7"), 7u}}) {
    const std::size_t before = world.target->taken(query);
    auto found = events.findEvents("srv", "System", Variant(), Variant("error"), max);
    EXPECT_EQ(world.target->taken(query) - before, expected);
    ASSERT_EQ(found->size(), expected);
    EXPECT_EQ(*found->keyAt(expected), std::to_string(1000001 - expected));
  }
}

} // namespace
} // namespace qv
