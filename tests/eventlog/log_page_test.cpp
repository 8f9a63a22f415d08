#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>
#include <vector>

#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::failureOf;

class LogPageTest : public ::testing::Test {
protected:
  struct Page {
    int32_t total, pages, served;
    std::vector<int32_t> records; // from the keys, in order
  };

  Page read(const std::string &log, std::optional<int32_t> size, std::optional<int32_t> page) {
    auto record = events.getLogPage("srv", log, size, page);
    EXPECT_EQ(*record->keyAt(1) + *record->keyAt(2) + *record->keyAt(3) + *record->keyAt(4),
              "TotalPagesPageEvents");
    Page result{(*record)["Total"].int32(), (*record)["Pages"].int32(), (*record)["Page"].int32(), {}};
    auto list = (*record)["Events"].as<Collection>();
    for (std::size_t i = 1; i <= list->size(); ++i) {
      int32_t number = (*list->at(i).as<Collection>())["RecordNumber"].int32();
      EXPECT_EQ(*list->keyAt(i), std::to_string(number));
      result.records.push_back(number);
    }
    return result;
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

TEST_F(LogPageTest, PageOneOfAMillionEntriesReadsOneEntryOfTheLogAndOnePage) {
  test::FakeEventLog log(*world.target, "Security", 1000000);
  const std::string whole = "Select * from Win32_NTLogEvent where LogFile='Security'";

  Page first = read("Security", std::nullopt, std::nullopt);
  EXPECT_EQ(first.total, 1000000);
  EXPECT_EQ(first.pages, 40000);
  EXPECT_EQ(first.served, 1);
  EXPECT_EQ(first.records, range(1000000, 999976));
  EXPECT_EQ(world.target->taken(whole), 1u);
  EXPECT_EQ(*log.pageEntriesTaken, 25u);

  EXPECT_EQ(read("Security", std::nullopt, 40000).records, range(25, 1));
  // Past the last page nothing is read at all, however far.
  for (int32_t past : {40001, 2147483647}) {
    Page beyond = read("Security", std::nullopt, past);
    EXPECT_TRUE(beyond.records.empty()) << past;
    EXPECT_EQ(beyond.served, past);
  }
  EXPECT_EQ(world.target->taken(whole), 2u);
  EXPECT_EQ(*log.pageEntriesTaken, 50u);
}

TEST_F(LogPageTest, AWalkEndsOnItsOwnWithEveryRecordOnceAndTheListingsRecords) {
  // 105 entries in pages of 10: the listing serves records 1 to 5 again on
  // page 12; a walk must stop after page 11 instead.
  test::FakeEventLog log(*world.target, "System", 105);
  std::vector<int32_t> walked;
  int32_t page = 1;
  for (Page p = read("System", 10, page); !p.records.empty(); p = read("System", 10, ++page)) {
    ASSERT_LE(page, p.pages);
    int32_t listed = page;
    auto listing = events.enumLogEvents("srv", "System", 10, &listed).as<Collection>();
    std::vector<int32_t> listedRecords;
    for (std::size_t i = 1; i <= listing->size(); ++i)
      listedRecords.push_back(std::stoi(*listing->keyAt(i)));
    EXPECT_EQ(p.records, listedRecords) << "page " << page;
    walked.insert(walked.end(), p.records.begin(), p.records.end());
  }
  EXPECT_EQ(page, 12);
  EXPECT_EQ(walked, range(105, 1));
}

TEST_F(LogPageTest, ACountAboveTheNewestRecordStillServesEachRecordOnce) {
  // The count says 150, the newest record is 105: pages 12 to 15 lie past
  // record 1 and are empty, not the oldest page again.
  test::FakeEventLog log(*world.target, "System", 105, Variant(int32_t{150}));
  std::multiset<int32_t> served;
  for (int32_t page = 1; page <= 15; ++page) {
    Page p = read("System", 10, page);
    EXPECT_EQ(p.pages, 15);
    served.insert(p.records.begin(), p.records.end());
  }
  EXPECT_EQ(served.size(), 105u);
  EXPECT_EQ(std::set<int32_t>(served.begin(), served.end()).size(), 105u);
}

TEST_F(LogPageTest, ALogOfOnePageIsServedWholeOnPageOneOnly) {
  test::FakeEventLog log(*world.target, "Application", 20);
  struct Case {
    std::optional<int32_t> asked;
    int32_t served;
    std::vector<int32_t> records;
  };
  const Case cases[] = {{std::nullopt, 1, range(20, 1)}, {1, 1, range(20, 1)}, {0, 1, range(20, 1)},
                        {-3, 1, range(20, 1)},           {2, 2, {}},           {9, 9, {}}};
  for (const Case &c : cases) {
    Page p = read("Application", std::nullopt, c.asked);
    EXPECT_EQ(p.served, c.served);
    EXPECT_EQ(p.pages, 1);
    EXPECT_EQ(p.records, c.records) << "page " << c.served;
  }
  EXPECT_TRUE(log.pageQueries.empty());
}

TEST_F(LogPageTest, EmptyAndVanishedLogsHaveNoEvents) {
  test::FakeEventLog empty(*world.target, "Empty", 0);
  Page none = read("Empty", std::nullopt, std::nullopt);
  EXPECT_EQ(none.total, 0);
  EXPECT_EQ(none.pages, 0);
  EXPECT_TRUE(none.records.empty());

  // The count says 50 but no entry can be read: no malformed page query.
  test::FakeEventLog vanished(*world.target, "System", 0, Variant(int32_t{50}));
  Page gone = read("System", std::nullopt, std::nullopt);
  EXPECT_EQ(gone.total, 50);
  EXPECT_EQ(gone.pages, 2);
  EXPECT_TRUE(gone.records.empty());
  EXPECT_TRUE(vanished.pageQueries.empty());
}

TEST_F(LogPageTest, FailuresNameTheLog) {
  test::FakeEventLog log(*world.target, "System", 105);
  for (int32_t size : {0, -5}) {
    auto failure = failureOf([&] { events.getLogPage("srv", "System", size, 1); });
    EXPECT_EQ(failure.number(), kInvalidCall);
    EXPECT_EQ(failure.description(), "Error listing events in System: Invalid procedure call or argument");
  }
  auto count = failureOf([&] { events.getLogPage("srv", "Other", 10, 1); });
  EXPECT_EQ(count.number(), fake::kWbemInvalidQuery);
  EXPECT_EQ(count.description(), "Error listing events in Other: unable to count events: Invalid query ");
}

} // namespace
} // namespace qv
