#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::failureOf;

class PagingTest : public ::testing::Test {
protected:
  CollectionPtr page(const std::string &log, std::optional<int32_t> size, int32_t *number) {
    auto result = events.enumLogEvents("srv", log, size, number).as<Collection>();
    EXPECT_TRUE(result);
    return result ? result : std::make_shared<Collection>();
  }

  // The record numbers of a page, in order, read from the keys.
  static std::vector<int32_t> numbers(const Collection &page) {
    std::vector<int32_t> found;
    for (std::size_t i = 1; i <= page.size(); ++i)
      found.push_back(std::stoi(*page.keyAt(i)));
    return found;
  }

  static std::vector<int32_t> range(int32_t from, int32_t downTo) {
    std::vector<int32_t> list;
    for (int32_t n = from; n >= downTo; --n)
      list.push_back(n);
    return list;
  }

  test::EventLogWorld world;
  EventLog events{world.platform};
};

TEST_F(PagingTest, WorkedExampleAsksForTheRightRecordRange) {
  test::FakeEventLog log(*world.target, "System", 105);
  struct Case {
    int32_t page;
    const char *bounds;
    std::vector<int32_t> records;
  };
  const Case cases[] = {
      {1, "<=105 and Recordnumber >95", range(105, 96)}, {2, "<=95 and Recordnumber >85", range(95, 86)},
      {10, "<=15 and Recordnumber >5", range(15, 6)},    {11, "<=5 and Recordnumber >0", range(5, 1)},
      {12, "<=5 and Recordnumber >0", range(5, 1)},
  };
  for (const Case &c : cases) {
    int32_t number = c.page;
    auto result = page("System", 10, &number);
    EXPECT_EQ(log.pageQueries.back(),
              std::string("Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber ") +
                  c.bounds);
    EXPECT_EQ(numbers(*result), c.records) << "page " << c.page;
    EXPECT_EQ(number, c.page - 1);
  }
}

TEST_F(PagingTest, NothingIsLeftPastTheEndOfARoundLog) {
  test::FakeEventLog log(*world.target, "System", 100);
  int32_t number = 11;
  EXPECT_EQ(page("System", 10, &number)->count(), 0);
  EXPECT_EQ(log.pageQueries.back(),
            "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber <=0 and Recordnumber >0");
}

TEST_F(PagingTest, ALogOfOnePageComesWholeForAnyPageNumber) {
  for (int32_t size : {20, 25}) {
    test::EventLogWorld world;
    test::FakeEventLog log(*world.target, "Application", size);
    EventLog events(world.platform);
    for (int32_t asked : {1, 2, 0, -3}) {
      int32_t number = asked;
      auto result = events.enumLogEvents("srv", "Application", std::nullopt, &number).as<Collection>();
      EXPECT_EQ(numbers(*result), range(size, 1)) << size << " entries, page " << asked;
    }
    EXPECT_TRUE(log.pageQueries.empty());
    EXPECT_EQ(world.target->queries.back(), "Select * from Win32_NTLogEvent where LogFile='Application'");
  }
}

TEST_F(PagingTest, OmittedArgumentsMeanPageOneOfTwentyFive) {
  test::FakeEventLog log(*world.target, "System", 30);
  EXPECT_EQ(numbers(*page("System", std::nullopt, nullptr)), range(30, 6));
  EXPECT_EQ(numbers(*page("System", 10, nullptr)), range(30, 21));
}

TEST_F(PagingTest, PageNumberIsWrittenBackAlsoWhenTheCallFails) {
  test::FakeEventLog log(*world.target, "System", 105);
  struct Case {
    int32_t given, left;
    std::optional<int32_t> size;
    int32_t failure; // 0: succeeds
  };
  const Case cases[] = {
      {4, 3, 10, 0},
      {0, 0, 10, 0},
      {-3, 0, 10, 0},
      {0, 1, 0, kDivisionByZero},
      {5, 5, 0, kDivisionByZero},
      {100000, 99999, 100000, kOverflow},
  };
  for (const Case &c : cases) {
    int32_t number = c.given;
    if (c.failure == 0) {
      EXPECT_NO_THROW(page("System", c.size, &number)) << c.given;
    } else {
      auto failure = failureOf([&] { events.enumLogEvents("srv", "System", c.size, &number); });
      EXPECT_EQ(failure.number(), c.failure) << c.given;
      EXPECT_EQ(failure.description().rfind("Error listing events in System: ", 0), 0u);
    }
    EXPECT_EQ(number, c.left) << c.given;
  }
}

TEST_F(PagingTest, EmptyLogsGiveEmptyPages) {
  test::FakeEventLog empty(*world.target, "Empty", 0);
  EXPECT_EQ(page("Empty", std::nullopt, nullptr)->count(), 0);

  // The newest entry cannot be read though the count says the log is long:
  // the missing number counts as 0 and the page is empty, not malformed.
  test::FakeEventLog vanished(*world.target, "System", 0, Variant(int32_t{50}));
  for (int32_t asked : {1, 2}) {
    int32_t number = asked;
    EXPECT_EQ(page("System", std::nullopt, &number)->count(), 0);
  }
  EXPECT_EQ(
      vanished.pageQueries.front(),
      "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber <=0 and Recordnumber >-25");
}

TEST_F(PagingTest, LogNamesAreEscapedInEveryQueryAndKeptRawInMessages) {
  const std::string raw = "O'Brien\\Log";
  test::FakeEventLog log(*world.target, raw, 40);
  EXPECT_EQ(numbers(*page(raw, 10, nullptr)), range(40, 31));
  const std::vector<std::string> expected{
      "Select * from Win32_NTLogEvent where LogFile='O\\'Brien\\\\Log'",
      "select numberOfRecords from win32_NTEventlogFile where LogfileName='O\\'Brien\\\\Log'",
      "Select * from Win32_NTLogEvent where LogFile='O\\'Brien\\\\Log' and Recordnumber <=40 and "
      "Recordnumber >30"};
  EXPECT_EQ(world.target->queries, expected);

  auto failure = failureOf([&] { events.enumLogEvents("srv", "It's", std::nullopt, nullptr); });
  EXPECT_EQ(failure.description(), "Error listing events in It's: Invalid query ");
}

TEST_F(PagingTest, FailuresOfTheCountAndOfTheEntriesStackTheirMessages) {
  test::FakeEventLog log(*world.target, "System", 60);

  // A log whose count query the service refuses.
  world.target->addQuery("Select * from Win32_NTLogEvent where LogFile='Other'", fake::instances({}));
  auto count = failureOf([&] { events.enumLogEvents("srv", "Other", std::nullopt, nullptr); });
  EXPECT_EQ(count.number(), fake::kWbemInvalidQuery);
  EXPECT_EQ(count.description(), "Error listing events in Other: unable to count events: Invalid query ");

  // Two entries with one record number in a page.
  world.target->addQuery("Select * from Win32_NTLogEvent where LogFile='Twice'",
                         fake::instances({test::eventEntry("Twice", 3), test::eventEntry("Twice", 3)}));
  world.target->addQuery(
      eventCountQuery("Twice"),
      fake::instances({std::make_shared<fake::WmiObject>(fake::WmiObject{{"NumberOfRecords", int32_t{2}}})}));
  EXPECT_EQ(failureOf([&] { events.enumLogEvents("srv", "Twice", std::nullopt, nullptr); }).number(),
            kDuplicateKey);

  // The newest entry cannot be read: the page number is left as it was.
  int32_t number = 4;
  auto unreachable = failureOf([&] { events.enumLogEvents("nowhere", "System", 10, &number); });
  EXPECT_EQ(unreachable.number(), fake::kRpcUnavailable);
  EXPECT_EQ(unreachable.description(), "Error listing events in System: The RPC server is unavailable. ");
  EXPECT_EQ(number, 4);
}

TEST_F(PagingTest, PagesOfAMillionEntriesReadOnlyWhatTheyShow) {
  test::FakeEventLog log(*world.target, "Security", 1000000);
  const std::string whole = "Select * from Win32_NTLogEvent where LogFile='Security'";
  std::size_t calls = 0;
  for (int32_t asked : {1, 3}) {
    int32_t number = asked;
    auto result = page("Security", std::nullopt, &number);
    ++calls;
    EXPECT_EQ(result->count(), 25);
    EXPECT_TRUE(result->contains(std::to_string(1000000 - 25 * (asked - 1))));
    EXPECT_EQ(world.target->taken(whole), calls) << "page " << asked; // the newest entry only
    EXPECT_EQ(*log.pageEntriesTaken, 25 * calls) << "page " << asked;
  }
}

} // namespace
} // namespace qv
