// Pages of a log: EnumLogEvents, which writes the page number back and
// serves the oldest page again past the end, and getLogPage, which does not.

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::range;

const std::string kSystemPages = "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber ";

class PagingTest : public ::testing::Test {
protected:
  // The record numbers of an EnumLogEvents page, in order, read from the keys.
  std::vector<int32_t> page(const std::string &log, std::optional<int32_t> size, int32_t *number) {
    auto result = events.enumLogEvents("srv", log, size, number).as<Collection>();
    std::vector<int32_t> found;
    for (std::size_t i = 1; i <= result->size(); ++i)
      found.push_back(std::stoi(*result->keyAt(i)));
    return found;
  }

  struct Page {
    int32_t total, pages, served;
    std::vector<int32_t> records; // from the keys, in order
  };
  Page read(const std::string &log, std::optional<int32_t> size, std::optional<int32_t> page) {
    auto record = events.getLogPage("srv", log, size, page);
    EXPECT_EQ(test::keysOf(*record), test::words("Total Pages Page Events"));
    Page result{(*record)["Total"].int32(), (*record)["Pages"].int32(), (*record)["Page"].int32(), {}};
    auto list = (*record)["Events"].as<Collection>();
    for (std::size_t i = 1; i <= list->size(); ++i) {
      int32_t number = (*list->at(i).as<Collection>())["RecordNumber"].int32();
      EXPECT_EQ(*list->keyAt(i), std::to_string(number));
      result.records.push_back(number);
    }
    return result;
  }

  test::EventLogWorld world;
  EventLog events{world.platform};
};

TEST_F(PagingTest, WorkedExampleAsksForTheRightRecordRange) {
  test::FakeEventLog log(*world.target, "System", 105);
  const std::tuple<int32_t, const char *, std::vector<int32_t>> cases[] = {
      {1, "<=105 and Recordnumber >95", range(105, 96)}, {2, "<=95 and Recordnumber >85", range(95, 86)},
      {10, "<=15 and Recordnumber >5", range(15, 6)},    {11, "<=5 and Recordnumber >0", range(5, 1)},
      {12, "<=5 and Recordnumber >0", range(5, 1)},
  };
  for (const auto &[asked, bounds, records] : cases) {
    int32_t number = asked;
    EXPECT_EQ(page("System", 10, &number), records) << "page " << asked;
    EXPECT_EQ(log.pageQueries.back(), kSystemPages + bounds);
    EXPECT_EQ(number, asked - 1);
  }
  // Past the end of a round log nothing is left; omitted arguments are page 1 of 25.
  test::FakeEventLog round(*world.target, "Round", 100);
  int32_t number = 11;
  EXPECT_TRUE(page("Round", 10, &number).empty());
  EXPECT_EQ(round.pageQueries.back(), "Select * from Win32_NTLogEvent where LogFile='Round' and Recordnumber "
                                      "<=0 and Recordnumber >0");
  EXPECT_EQ(page("Round", std::nullopt, nullptr), range(100, 76));
}

TEST_F(PagingTest, ALogOfOnePageComesWholeForAnyPageNumberFromEnumButOnlyOnPageOneFromGetLogPage) {
  test::FakeEventLog log(*world.target, "Application", 25);
  for (int32_t asked : {1, 2, 0, -3}) {
    int32_t number = asked;
    EXPECT_EQ(page("Application", std::nullopt, &number), range(25, 1)) << "page " << asked;
    Page p = read("Application", std::nullopt, asked);
    EXPECT_EQ(p.pages, 1);
    EXPECT_EQ(p.served, std::max(asked, 1));
    EXPECT_EQ(p.records, asked <= 1 ? range(25, 1) : std::vector<int32_t>{}) << "page " << asked;
  }
  EXPECT_TRUE(log.pageQueries.empty());
  EXPECT_EQ(world.target->queries.back(), "Select * from Win32_NTLogEvent where LogFile='Application'");
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
  for (int32_t size : {0, -5}) {
    auto failure = failureOf([&] { events.getLogPage("srv", "System", size, 1); });
    EXPECT_EQ(failure.number(), kInvalidCall);
    EXPECT_EQ(failure.description(), "Error listing events in System: Invalid procedure call or argument");
  }
}

TEST_F(PagingTest, EmptyAndVanishedLogsGiveEmptyPages) {
  test::FakeEventLog empty(*world.target, "Empty", 0);
  EXPECT_TRUE(page("Empty", std::nullopt, nullptr).empty());
  Page none = read("Empty", std::nullopt, std::nullopt);
  EXPECT_EQ(none.total + none.pages, 0);
  EXPECT_TRUE(none.records.empty());

  // The newest entry cannot be read though the count says the log is long:
  // the missing number counts as 0 and the page is empty, not malformed.
  test::FakeEventLog vanished(*world.target, "System", 0, Variant(int32_t{50}));
  Page gone = read("System", std::nullopt, std::nullopt);
  EXPECT_EQ(gone.total, 50);
  EXPECT_EQ(gone.pages, 2);
  EXPECT_TRUE(gone.records.empty());
  EXPECT_TRUE(vanished.pageQueries.empty());
  for (int32_t asked : {1, 2}) {
    int32_t number = asked;
    EXPECT_TRUE(page("System", std::nullopt, &number).empty());
  }
  EXPECT_EQ(vanished.pageQueries.front(), kSystemPages + "<=0 and Recordnumber >-25");
}

TEST_F(PagingTest, LogNamesAreEscapedInEveryQueryAndKeptRawInMessages) {
  const std::string raw = "O'Brien\\Log";
  test::FakeEventLog log(*world.target, raw, 40);
  EXPECT_EQ(page(raw, 10, nullptr), range(40, 31));
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
  world.target->addQuery(eventCountQuery("Twice"), test::countResult(int32_t{2}));
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
  int32_t number = 3;
  EXPECT_EQ(page("Security", std::nullopt, &number), range(1000000 - 50, 1000000 - 74));
  EXPECT_EQ(world.target->taken(whole), 1u); // the newest entry only
  EXPECT_EQ(*log.pageEntriesTaken, 25u);

  Page first = read("Security", std::nullopt, std::nullopt);
  EXPECT_EQ(first.total, 1000000);
  EXPECT_EQ(first.pages, 40000);
  EXPECT_EQ(first.served, 1);
  EXPECT_EQ(first.records, range(1000000, 999976));
  EXPECT_EQ(read("Security", std::nullopt, 40000).records, range(25, 1));
  // Past the last page nothing is read at all, however far.
  for (int32_t past : {40001, 2147483647}) {
    Page beyond = read("Security", std::nullopt, past);
    EXPECT_TRUE(beyond.records.empty()) << past;
    EXPECT_EQ(beyond.served, past);
  }
  EXPECT_EQ(world.target->taken(whole), 3u);
  EXPECT_EQ(*log.pageEntriesTaken, 75u);
}

TEST_F(PagingTest, AWalkEndsOnItsOwnWithEveryRecordOnceAndTheListingsRecords) {
  // 105 entries in pages of 10: the listing serves records 1 to 5 again on
  // page 12; a walk must stop after page 11 instead.
  test::FakeEventLog log(*world.target, "System", 105);
  std::vector<int32_t> walked;
  int32_t number = 1;
  for (Page p = read("System", 10, number); !p.records.empty(); p = read("System", 10, ++number)) {
    ASSERT_LE(number, p.pages);
    int32_t listed = number;
    EXPECT_EQ(p.records, page("System", 10, &listed)) << "page " << number;
    walked.insert(walked.end(), p.records.begin(), p.records.end());
  }
  EXPECT_EQ(number, 12);
  EXPECT_EQ(walked, range(105, 1));

  // The count says 150, the newest record is 105: pages 12 to 15 lie past
  // record 1 and are empty, not the oldest page again.
  test::FakeEventLog counted(*world.target, "Counted", 105, Variant(int32_t{150}));
  std::multiset<int32_t> served;
  for (int32_t p = 1; p <= 15; ++p) {
    Page got = read("Counted", 10, p);
    EXPECT_EQ(got.pages, 15);
    served.insert(got.records.begin(), got.records.end());
  }
  EXPECT_EQ(served.size(), 105u);
  EXPECT_EQ(std::set<int32_t>(served.begin(), served.end()).size(), 105u);
}

} // namespace
} // namespace qv
