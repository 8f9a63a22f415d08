#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

using test::failureOf;

std::vector<std::string> listed(const Collection &logs) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i <= logs.size(); ++i) {
    EXPECT_FALSE(logs.keyAt(i).has_value());
    names.push_back(logs[i].text());
  }
  return names;
}

TEST(enumEventLogs, SortsNamesAsTextWithoutKeys) {
  const std::tuple<std::vector<std::string>, std::vector<std::string>> cases[] = {
      {{"System", "Application", "Security"}, {"Application", "Security", "System"}},
      {{"security", "Directory Service"}, {"Directory Service", "security"}},
      {{}, {}},
  };
  for (const auto &[given, expected] : cases) {
    test::EventLogWorld world;
    world.target->declareClass("Win32_NTEventLogFile");
    for (const auto &name : given) {
      world.target->addInstance("Win32_NTEventLogFile",
                                std::make_shared<fake::WmiObject>(fake::WmiObject{{"LogFileName", name}}));
    }
    EventLog logs(world.platform);
    EXPECT_EQ(listed(*logs.enumEventLogs("srv")), expected);
  }
}

TEST(enumEventLogs, FailuresNameTheComputer) {
  test::EventLogWorld world;
  for (const char *name : {"System", "system"}) {
    world.target->addInstance("Win32_NTEventLogFile",
                              std::make_shared<fake::WmiObject>(fake::WmiObject{{"LogFileName", name}}));
  }
  EventLog logs(world.platform);

  auto sameNameTwice = failureOf([&] { logs.enumEventLogs("srv"); });
  EXPECT_EQ(sameNameTwice.number(), kDuplicateKey);
  EXPECT_EQ(sameNameTwice.description().rfind("Unable to list eventlogs on srv: ", 0), 0u);

  auto unreachable = failureOf([&] { logs.enumEventLogs("far away"); });
  EXPECT_EQ(unreachable.number(), fake::kRpcUnavailable);
  EXPECT_EQ(unreachable.description(),
            "Unable to list eventlogs on far away: The RPC server is unavailable. ");
}

TEST(NumberOfEvents, ReadsTheCountOfOneLog) {
  test::EventLogWorld world;
  auto count = test::countResult;
  const std::string prefix = "select numberOfRecords from win32_NTEventlogFile where LogfileName=";
  world.target->addQuery(prefix + "'System'", count(Variant(int32_t{1234})))
      .addQuery(prefix + "'Text'", count(Variant("77")))
      .addQuery(prefix + "'NoCount'", count(Variant::null()))
      .addQuery(prefix + "'Missing'", fake::instances({}));
  EventLog logs(world.platform);

  const std::tuple<const char *, int32_t> cases[] = {
      {"System", 1234}, {"Text", 77}, {"NoCount", 0}, {"Missing", 0}};
  for (const auto &[log, expected] : cases)
    EXPECT_EQ(logs.numberOfEvents("srv", log), expected) << log;

  auto failure = failureOf([&] { logs.numberOfEvents("srv", "Unknown"); });
  EXPECT_EQ(failure.number(), fake::kWbemInvalidQuery);
  EXPECT_EQ(failure.description(), "unable to count events: Invalid query ");
}

} // namespace
} // namespace qv
