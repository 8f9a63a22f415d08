#include "processes/process.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/portable_regional.hpp"
#include "processes/process_record.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

constexpr const char *kMoniker = "winmgmts://srv";

// A Win32_Process instance as the service delivers it: the working set as
// text (a 64-bit value), the start as date-time text.
fake::WmiObjectPtr processInstance(int32_t id, const Variant &workingSet = Variant("4096"),
                                   int32_t ownerResult = 0, const Variant &owner = Variant()) {
  auto instance = std::make_shared<fake::WmiObject>();
  instance->set("Caption", "app" + std::to_string(id) + ".exe")
      .set("CreationDate", "20050301120000.000000+060")
      .set("Priority", int32_t{8})
      .set("ProcessId", id)
      .set("Name", "app" + std::to_string(id) + ".exe")
      .set("WorkingSetSize", workingSet)
      .method("GetOwner", [id, ownerResult, owner](std::vector<Variant> &args) {
        if (ownerResult == 0) {
          args.at(0) = owner.isEmpty() ? Variant("user" + std::to_string(id)) : owner;
          args.at(1) = Variant("DOMAIN");
        }
        return Variant(ownerResult);
      });
  return instance;
}

class ProcessTest : public ::testing::Test {
protected:
  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::WmiService> service = management->service(kMoniker);
  Processes processes{Platform{management, nullptr, nullptr, PortableRegional::english()}};
};

using test::failureOf;

TEST_F(ProcessTest, ListsEveryProcessUnderItsPositionWithSevenFieldsInOrder) {
  for (int32_t id = 1; id <= 12; ++id)
    service->addInstance("Win32_Process", processInstance(id * 10, Variant("4096"), id == 5 ? 2 : 0));

  auto list = processes.enumerateProcesses("srv").as<Collection>();
  ASSERT_TRUE(list);
  ASSERT_EQ(list->count(), 12);
  auto twelfth = (*list)["12"].as<Collection>();
  std::vector<std::string> keys;
  for (std::size_t i = 1; i <= twelfth->size(); ++i)
    keys.push_back(twelfth->keyAt(i).value_or("?"));
  EXPECT_EQ(keys,
            (std::vector<std::string>{"Caption", "Started", "Priority", "id", "Name", "MemUsage", "UserId"}));
  EXPECT_EQ((*twelfth)["id"], Variant(int32_t{120}));
  EXPECT_EQ((*twelfth)["Started"], Variant("20050301120000.000000+060"));
  EXPECT_EQ((*twelfth)["Priority"], Variant(int32_t{8}));
  EXPECT_EQ((*twelfth)["MemUsage"], Variant("4 K"));
  EXPECT_EQ((*twelfth)["UserId"], Variant("user120"));

  // An owner the service cannot name leaves the field empty; the listing goes on.
  auto fifth = (*list)[5].as<Collection>();
  EXPECT_EQ((*fifth)["UserId"], Variant(""));
  EXPECT_EQ(management->connects, std::vector<std::string>{kMoniker});
}

// GetOwner may succeed without naming anyone: the Null is kept, and the
// listing does not fail on it.
TEST_F(ProcessTest, NullOwnerNameStaysNull) {
  service->addInstance("Win32_Process", processInstance(1));
  service->addInstance("Win32_Process", processInstance(2, Variant("4096"), 0, Variant::null()));
  auto list = processes.enumerateProcesses("srv").as<Collection>();
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ((*(*list)[1].as<Collection>())["UserId"], Variant("user1"));
  EXPECT_TRUE((*(*list)[2].as<Collection>())["UserId"].isNull());
}

TEST_F(ProcessTest, MemUsageIsKilobytesAsRuntimeText) {
  struct Case {
    Variant bytes;
    const char *expected;
  };
  // clang-format off
  const Case cases[] = {{Variant("1536"), "1.5 K"}, {Variant("0"), "0 K"}, {Variant("1048576"), "1024 K"},
                        {Variant("1000000"), "976.5625 K"}, {Variant(int32_t{2048}), "2 K"}};
  // clang-format on
  const auto english = PortableRegional::english();
  for (const Case &c : cases)
    EXPECT_EQ(memUsageText(c.bytes, *english), c.expected) << c.expected;
  EXPECT_EQ(memUsageText(Variant("1000000"), *PortableRegional::european()), "976,5625 K");
}

TEST_F(ProcessTest, EmptyListAndFailuresOfTheListing) {
  service->declareClass("Win32_Process");
  EXPECT_EQ(processes.enumerateProcesses("srv").as<Collection>()->count(), 0);

  auto unreachable = failureOf([&] { processes.enumerateProcesses("nowhere"); });
  EXPECT_EQ(unreachable.number(), fake::kRpcUnavailable);
  EXPECT_EQ(unreachable.description(), "Unable to get processes: The RPC server is unavailable. ");

  service->addInstance("Win32_Process", processInstance(1, Variant("lots")));
  auto badSize = failureOf([&] { processes.enumerateProcesses("srv"); });
  EXPECT_EQ(badSize.number(), kTypeMismatch);
  EXPECT_EQ(badSize.description().rfind("Unable to get processes: ", 0), 0u);
}

TEST_F(ProcessTest, DetailsOfOneProcess) {
  service->addQuery("Select * from Win32_Process where ProcessId=42",
                    fake::instances({processInstance(42), processInstance(43)}));
  service->addQuery("Select * from Win32_Process where ProcessId=-3", fake::instances({}));

  auto record = processes.getProcessDetails(42, "srv");
  ASSERT_EQ(record->count(), 7);
  EXPECT_EQ((*record)["id"], Variant(int32_t{42}));
  EXPECT_EQ((*record)[7], Variant("user42"));

  EXPECT_EQ(processes.getProcessDetails(-3, "srv")->count(), 0);

  auto failure = failureOf([&] { processes.getProcessDetails(7, "srv"); });
  EXPECT_EQ(failure.number(), fake::kWbemInvalidQuery);
  EXPECT_EQ(failure.description(), "Error getting process details: Invalid query ");
}

TEST_F(ProcessTest, TerminateEndsTheMatchingProcessOnly) {
  auto other = processInstance(8);
  auto target = processInstance(7);
  std::vector<Variant> received;
  target->method("Terminate", [&](std::vector<Variant> &args) {
    received = args;
    return Variant(int32_t{0});
  });
  service->addQuery("Select * from Win32_Process where ProcessId=7", fake::instances({other, target}));
  service->addQuery("Select * from Win32_Process where ProcessId=9", fake::instances({}));

  processes.terminateProcess(7, "srv");
  EXPECT_EQ(target->calls, std::vector<std::string>{"Terminate"});
  EXPECT_EQ(received, std::vector<Variant>{Variant(int16_t{0})});
  EXPECT_TRUE(other->calls.empty());

  // A process that does not exist is not an error.
  EXPECT_NO_THROW(processes.terminateProcess(9, "srv"));
}

TEST_F(ProcessTest, TerminateFailuresNameTheReason) {
  auto refusing = processInstance(7);
  refusing->method("Terminate", [](std::vector<Variant> &) { return Variant(int32_t{2}); });
  auto throwing = processInstance(8);
  throwing->method("Terminate", [](std::vector<Variant> &) -> Variant {
    throw fake::wmiError(static_cast<int32_t>(0x80041003), "Access denied ");
  });
  service->addQuery("Select * from Win32_Process where ProcessId=7", fake::instances({refusing}));
  service->addQuery("Select * from Win32_Process where ProcessId=8", fake::instances({throwing}));

  struct Case {
    int32_t id;
    const char *computer;
    int32_t number;
    const char *description;
  };
  const Case cases[] = {
      {7, "srv", kInvalidCall, "Unable to terminate process. Reason: 2: Terminate returned 2"},
      {8, "srv", static_cast<int32_t>(0x80041003), "Unable to terminate process. Reason: : Access denied "},
      {7, "nowhere", fake::kRpcUnavailable,
       "Unable to terminate process. Reason: : The RPC server is unavailable. "},
  };
  for (const Case &c : cases) {
    auto failure = failureOf([&] { processes.terminateProcess(c.id, c.computer); });
    EXPECT_EQ(failure.number(), c.number) << c.description;
    EXPECT_EQ(failure.description(), c.description);
  }
}

} // namespace
} // namespace qv
