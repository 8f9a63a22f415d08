#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "core/convert.hpp"
#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

using test::failureOf;
using test::keysOf;

const std::vector<std::string> kEventKeys = test::words(
    "User Type Category CategoryString EventCode EventIdentifier RecordNumber SourceName TimeGenerated "
    "TimeWritten message");

class EventRecordTest : public ::testing::Test {
protected:
  // A one-page log of the given entries (newest first).
  CollectionPtr pageOf(std::vector<fake::WmiObjectPtr> entries) {
    auto count = static_cast<int32_t>(entries.size());
    world.target->addQuery("Select * from Win32_NTLogEvent where LogFile='System'", std::move(entries));
    world.target->addQuery(eventCountQuery("System"), test::countResult(count));
    return events.enumLogEvents("srv", "System", std::nullopt, nullptr).as<Collection>();
  }

  test::EventLogWorld world;
  EventLog events{world.platform};
};

TEST_F(EventRecordTest, ElevenFieldsWithPlaceholdersForBlankTexts) {
  const std::tuple<Variant, Variant, Variant, Variant> cases[] = {
      {Variant("   "), Variant(""), Variant("N/A"), Variant("None")},
      {Variant::null(), Variant::null(), Variant::null(), Variant::null()},
      {Variant(" DOMAIN\\user "), Variant("Logon"), Variant(" DOMAIN\\user "), Variant("Logon")},
  };
  std::vector<fake::WmiObjectPtr> entries;
  int32_t number = 4711;
  for (const auto &[user, categoryString, expectedUser, expectedCategory] : cases) {
    entries.push_back(test::eventEntry("System", number--));
    entries.back()->set("User", user).set("CategoryString", categoryString);
  }
  auto page = pageOf(entries);
  ASSERT_EQ(page->count(), 3);

  number = 4711;
  for (const auto &[user, categoryString, expectedUser, expectedCategory] : cases) {
    auto record = (*page)[std::to_string(number--)].as<Collection>();
    ASSERT_TRUE(record);
    EXPECT_EQ(keysOf(*record), kEventKeys);
    EXPECT_EQ((*record)["User"], expectedUser);
    EXPECT_EQ((*record)["CategoryString"], expectedCategory);
  }

  auto first = (*page)["4711"].as<Collection>();
  EXPECT_EQ((*first)["RecordNumber"], Variant(int32_t{4711}));
  EXPECT_EQ((*first)["EventCode"], Variant(int32_t{7036}));
  EXPECT_EQ((*first)["message"], Variant("entry 4711"));
  EXPECT_EQ((*first)["TimeGenerated"], Variant(makeDate({2005, 3, 1, 12, 0, 0})));
}

TEST_F(EventRecordTest, AnEntryWithoutATimeFailsThePage) {
  auto entry = test::eventEntry("System", 9);
  entry->set("TimeWritten", Variant::null());
  auto failure = failureOf([&] { pageOf({entry}); });
  EXPECT_EQ(failure.number(), kInvalidUseOfNull);
  EXPECT_EQ(failure.description().rfind("Error listing events in System: ", 0), 0u);
}

TEST_F(EventRecordTest, GetEventReadsOneEntryInFull) {
  auto system = test::eventEntry("System", 12);
  system->set("Data", VariantArray{0, {Variant(int16_t{1}), Variant(int16_t{2})}})
      .set("InsertionStrings", VariantArray{0, {Variant("spooler")}});
  auto application = test::eventEntry("Application", 12);
  world.target
      ->addQuery("select * from win32_NTLogEvent where RecordNumber=12",
                 fake::instances({application, system}))
      .addQuery("select * from win32_NTLogEvent where RecordNumber=12 and LogFile='System'",
                fake::instances({system}))
      .addQuery("select * from win32_NTLogEvent where RecordNumber=13", fake::instances({}));

  auto anyLog = events.getEvent("srv", 12);
  std::vector<std::string> keys = kEventKeys;
  keys.insert(keys.end(), {"ComputerName", "Data", "InsertionStrings"});
  EXPECT_EQ(keysOf(*anyLog), keys);
  EXPECT_EQ((*anyLog)["Data"], Variant::null()); // the service's first entry: Application's
  EXPECT_EQ((*anyLog)["InsertionStrings"], Variant::null());
  EXPECT_EQ((*anyLog)["ComputerName"], Variant("SRV"));

  auto inSystem = events.getEvent("srv", 12, std::string("System"));
  EXPECT_EQ((*inSystem)["Data"], system->get("Data"));
  EXPECT_EQ((*inSystem)["InsertionStrings"], system->get("InsertionStrings"));

  EXPECT_EQ(events.getEvent("srv", 13)->count(), 0);
}

TEST_F(EventRecordTest, GetEventFailuresNameTheRecordNumber) {
  struct Case {
    double number;
    const char *computer;
    const char *description;
  };
  const Case cases[] = {
      {12, "srv", "Unable to fetch Event (12): Invalid query "},
      {12.5, "srv", "Unable to fetch Event (12.5): Invalid query "},
      {4711, "nowhere", "Unable to fetch Event (4711): The RPC server is unavailable. "},
  };
  for (const Case &c : cases) {
    EXPECT_EQ(failureOf([&] { events.getEvent(c.computer, c.number); }).description(), c.description);
  }
  EXPECT_EQ(world.target->queries.back(), "select * from win32_NTLogEvent where RecordNumber=12.5");

  // Escaped like every log name.
  failureOf([&] { events.getEvent("srv", 3, std::string("It's")); });
  EXPECT_EQ(world.target->queries.back(),
            "select * from win32_NTLogEvent where RecordNumber=3 and LogFile='It\\'s'");
}

} // namespace
} // namespace qv
