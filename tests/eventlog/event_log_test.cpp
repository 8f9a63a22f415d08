// Listing logs, counting and paging their entries, reading one entry.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "core/convert.hpp"
#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

using test::errorNumberOf;
using test::failureOf;
using test::range;

const std::string kSystemPages = "Select * from Win32_NTLogEvent where LogFile='System' and Recordnumber ";

std::vector<int32_t> numbersOf(const Collection &events) {
  std::vector<int32_t> found;
  for (std::size_t i = 1; i <= events.size(); ++i) {
    found.push_back((*events.at(i).as<Collection>())["RecordNumber"].int32());
    EXPECT_EQ(*events.keyAt(i), std::to_string(found.back()));
  }
  return found;
}

class EventLogTest : public ::testing::Test {
protected:
  std::vector<int32_t> page(const std::string &log, std::optional<int32_t> size, int32_t *number) {
    return numbersOf(*events.enumLogEvents("srv", log, size, number).as<Collection>());
  }
  // Total, Pages, Page and the record numbers of the Events.
  std::tuple<int32_t, int32_t, int32_t, std::vector<int32_t>> read(const std::string &log, int32_t size,
                                                                   int32_t page) {
    auto record = events.getLogPage("srv", log, size, page);
    EXPECT_EQ(test::keysOf(*record), test::words("Total Pages Page Events"));
    return {(*record)["Total"].int32(), (*record)["Pages"].int32(), (*record)["Page"].int32(),
            numbersOf(*(*record)["Events"].as<Collection>())};
  }

  test::EventLogWorld world;
  EventLog events{world.platform};
};

TEST_F(EventLogTest, EnumLogEventsAsksForTheRightRangeAndWritesThePageNumberBackAlsoWhenItFails) {
  test::FakeEventLog log(*world.target, "System", 105);
  // Page number given, page size, bounds of the page query ("": none made),
  // the records served, the page number left behind, the failure.
  const std::tuple<int32_t, int32_t, const char *, std::vector<int32_t>, int32_t, int32_t> cases[] = {
      {1, 10, "<=105 and Recordnumber >95", range(105, 96), 0, 0},
      {2, 10, "<=95 and Recordnumber >85", range(95, 86), 1, 0},
      {11, 10, "<=5 and Recordnumber >0", range(5, 1), 10, 0},
      {12, 10, "<=5 and Recordnumber >0", range(5, 1), 11, 0}, // the oldest page again
      {-3, 10, "<=105 and Recordnumber >95", range(105, 96), 0, 0},
      {0, 0, "", {}, 1, kDivisionByZero},
      {5, 0, "", {}, 5, kDivisionByZero},
      {100000, 100000, "", {}, 99999, kOverflow},
  };
  for (const auto &[given, size, bounds, records, left, failure] : cases) {
    SCOPED_TRACE(given);
    log.pageQueries.clear();
    int32_t number = given;
    std::vector<int32_t> served;
    EXPECT_EQ(errorNumberOf([&, size = size] { served = page("System", size, &number); }), failure);
    EXPECT_EQ(served, records);
    EXPECT_EQ(log.pageQueries, bounds[0] ? std::vector{kSystemPages + bounds} : std::vector<std::string>{});
    EXPECT_EQ(number, left);
  }
  // A log of whole pages has no remainder to serve again.
  test::FakeEventLog round(*world.target, "Round", 100);
  int32_t number = 11;
  EXPECT_TRUE(page("Round", 10, &number).empty());
  EXPECT_EQ(failureOf([&] { events.getLogPage("srv", "System", 0, 1); }).description(),
            "Error listing events in System: Invalid procedure call or argument");
}

TEST_F(EventLogTest, ShortVanishedAndUncountedLogs) {
  test::FakeEventLog small(*world.target, "Application", 25);
  int32_t number = 2;
  EXPECT_EQ(page("Application", std::nullopt, &number), range(25, 1));
  EXPECT_EQ(read("Application", 25, 1), std::make_tuple(25, 1, 1, range(25, 1)));
  EXPECT_EQ(read("Application", 25, 2), std::make_tuple(25, 1, 2, range(0, 1)));
  EXPECT_TRUE(small.pageQueries.empty());

  // The count says 50 but no entry can be read: the newest counts as 0.
  test::FakeEventLog vanished(*world.target, "System", 0, Variant(int32_t{50}));
  EXPECT_EQ(read("System", 25, 1), std::make_tuple(50, 2, 1, range(0, 1)));
  EXPECT_TRUE(page("System", std::nullopt, nullptr).empty());
  EXPECT_EQ(vanished.pageQueries.front(), kSystemPages + "<=0 and Recordnumber >-25");
  // No count (Null): the listing serves the whole log whatever the page
  // size, and so does page 1, which tells what it served.
  test::FakeEventLog uncounted(*world.target, "Uncounted", 30, Variant::null());
  EXPECT_EQ(events.numberOfEvents("srv", "Uncounted"), 0);
  EXPECT_EQ(page("Uncounted", 10, nullptr), range(30, 1));
  EXPECT_EQ(read("Uncounted", 10, 1), std::make_tuple(30, 1, 1, range(30, 1)));
  EXPECT_EQ(read("Uncounted", 10, 2), std::make_tuple(0, 0, 2, range(0, 1)));
  EXPECT_TRUE(uncounted.pageQueries.empty());
  world.target->addQuery(eventCountQuery("Absent"), std::vector<fake::WmiObjectPtr>{});
  EXPECT_EQ(events.numberOfEvents("srv", "Absent"), 0);
  // Log names listed in text order, letter case aside.
  for (const char *name : {"System", "application", "Security"})
    world.target->addInstance(kEventLogFileClass,
                              std::make_shared<fake::WmiObject>(fake::WmiObject{{"LogFileName", name}}));
  EXPECT_EQ(test::itemsOf(*events.enumEventLogs("srv")),
            (std::vector<Variant>{"application", "Security", "System"}));
}

// The count says 150, the newest record is 105: pages 12 to 15 lie past
// record 1 and are empty, not the oldest page again.
TEST_F(EventLogTest, AWalkOfGetLogPageServesEveryRecordOnceAndReadsOnlyWhatItShows) {
  test::FakeEventLog counted(*world.target, "Counted", 105, Variant(int32_t{150}));
  std::vector<int32_t> walked;
  for (int32_t p = 1; p <= 15; ++p) {
    auto [total, pages, served, records] = read("Counted", 10, p);
    EXPECT_EQ(std::make_tuple(total, pages, served), std::make_tuple(150, 15, p));
    walked.insert(walked.end(), records.begin(), records.end());
  }
  EXPECT_EQ(walked, range(105, 1));
  EXPECT_EQ(*counted.pageEntriesTaken, 105u);
  // Only the newest entry is read to place each page, and past the last page nothing.
  EXPECT_TRUE(std::get<3>(read("Counted", 10, 2147483647)).empty());
  EXPECT_EQ(world.target->taken("Select * from Win32_NTLogEvent where LogFile='Counted'"), 15u);
}

TEST_F(EventLogTest, LogNamesAreEscapedInEveryQueryAndKeptRawInMessages) {
  test::FakeEventLog log(*world.target, "O'Brien\\Log", 40);
  EXPECT_EQ(page("O'Brien\\Log", 10, nullptr), range(40, 31));
  const std::string escaped = "'O\\'Brien\\\\Log'";
  ASSERT_EQ(world.target->queries.size(), 3u);
  for (const std::string &query : world.target->queries)
    EXPECT_NE(query.find("=" + escaped), std::string::npos) << query;
  failureOf([&] { events.getEvent("srv", 3, std::string("O'Brien\\Log")); });
  EXPECT_EQ(world.target->queries.back(),
            "select * from win32_NTLogEvent where RecordNumber=3 and LogFile=" + escaped);
  EXPECT_EQ(failureOf([&] { events.enumLogEvents("srv", "It's", 10, nullptr); }).description(),
            "Error listing events in It's: Invalid query ");
  EXPECT_EQ(failureOf([&] { events.getEvent("srv", 12.5); }).description(),
            "Unable to fetch Event (12.5): Invalid query ");
  EXPECT_EQ(failureOf([&] { events.numberOfEvents("srv", "It's"); }).description(),
            "unable to count events: Invalid query ");
}

TEST_F(EventLogTest, RecordsKeepEveryFieldInPlaceAndNullAsNull) {
  // User and CategoryString as given and as listed: blank, Null, text.
  const std::tuple<Variant, Variant, Variant, Variant> cases[] = {
      {Variant("   "), Variant(""), Variant("N/A"), Variant("None")},
      {Variant::null(), Variant::null(), Variant::null(), Variant::null()},
      {Variant(" D\\u "), Variant("Logon"), Variant(" D\\u "), Variant("Logon")},
  };
  std::vector<fake::WmiObjectPtr> entries;
  for (const auto &[user, category, listedUser, listedCategory] : cases) {
    entries.push_back(test::eventEntry("System", 3 - static_cast<int32_t>(entries.size())));
    entries.back()->set("User", user).set("CategoryString", category);
  }
  world.target->addQuery("Select * from Win32_NTLogEvent where LogFile='System'", entries);
  world.target->addQuery(eventCountQuery("System"), test::countResult(int32_t{3}));
  world.system->zoneMinutes = [](Date) { return 600; };
  auto list = events.enumLogEvents("srv", "System", std::nullopt, nullptr).as<Collection>();
  // The Security privilege is asked for on every connection.
  EXPECT_EQ(world.management->connects,
            std::vector<std::string>(3, "winmgmts:{impersonationLevel=impersonate,(Security)}!//srv"));
  for (std::size_t i = 1; i <= 3; ++i) {
    const Collection &record = *list->at(i).as<Collection>();
    for (const std::string &key :
         test::words("Type Category EventCode EventIdentifier RecordNumber SourceName message"))
      EXPECT_EQ(record[key], entries[i - 1]->get(key)) << key;
    EXPECT_EQ(record["User"], std::get<2>(cases[i - 1]));
    EXPECT_EQ(record["CategoryString"], std::get<3>(cases[i - 1]));
    EXPECT_EQ(record["TimeGenerated"], Variant(makeDate({2005, 3, 1, 22, 0, 0})));
    EXPECT_EQ(record["TimeWritten"], Variant(makeDate({2005, 3, 1, 22, 5, 0})));
  }
  // One event in full: the detail fields too, each from its own property.
  entries[2]->set("computerName", "WEB1").set("data", "0A").set("InsertionStrings", "x");
  world.target->addQuery(eventQuery("1", std::nullopt), {entries[2]});
  CollectionPtr event = events.getEvent("srv", 1);
  EXPECT_EQ((*event)["message"], Variant("entry 1"));
  EXPECT_EQ((std::vector<Variant>{(*event)["ComputerName"], (*event)["Data"], (*event)["InsertionStrings"]}),
            (std::vector<Variant>{"WEB1", "0A", "x"}));
  entries[0]->set("TimeWritten", Variant::null()); // an entry without a time is no record
  EXPECT_EQ(errorNumberOf([&] { events.enumLogEvents("srv", "System", std::nullopt, nullptr); }),
            kInvalidUseOfNull);
}

} // namespace
} // namespace qv
