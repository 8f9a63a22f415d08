#include "processes/process.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/portable_regional.hpp"
#include "processes/process_record.hpp"
#include "tests/fakes/fake_management.hpp"
#include "tests/support/failure_of.hpp"
#include "tests/support/keys_of.hpp"

namespace qv {
namespace {

using test::failureOf;

// A Win32_Process instance as the service delivers it: the working set as
// text (a 64-bit value), the start as date-time text.
fake::WmiObjectPtr processInstance(int32_t id, const Variant &workingSet = Variant("4096"),
                                   int32_t ownerResult = 0, const Variant &owner = Variant("user")) {
  auto instance = std::make_shared<fake::WmiObject>();
  instance->set("Caption", "caption.exe")
      .set("CreationDate", "20050301120000.000000+060")
      .set("Priority", int32_t{8})
      .set("ProcessId", id)
      .set("Name", "name.exe")
      .set("WorkingSetSize", workingSet)
      .method("GetOwner", [ownerResult, owner](std::vector<Variant> &args) {
        if (ownerResult == 0) args.at(0) = owner;
        return Variant(ownerResult);
      });
  return instance;
}

class ProcessTest : public ::testing::Test {
protected:
  std::shared_ptr<fake::Management> management = std::make_shared<fake::Management>();
  std::shared_ptr<fake::WmiService> service = management->service("winmgmts://srv");
  Processes processes{Platform{management, nullptr, nullptr, PortableRegional::english()}};
};

// Every field of its own value, so a swap shows; the memory in kilobytes as
// the runtime writes numbers; an owner the service cannot name leaves the
// field empty, one it names as Null keeps the Null.
TEST_F(ProcessTest, ListsSevenFieldsInOrderAndOwnersAsTheServiceGivesThem) {
  service->addInstance("Win32_Process", processInstance(10, Variant("1000000")));
  service->addInstance("Win32_Process", processInstance(20, Variant("4096"), 2));
  service->addInstance("Win32_Process", processInstance(30, Variant("4096"), 0, Variant::null()));
  auto list = processes.enumerateProcesses("srv").as<Collection>();
  EXPECT_EQ(test::itemsOf(*(*list)["1"].as<Collection>()),
            (std::vector<Variant>{"caption.exe", "20050301120000.000000+060", int32_t{8}, int32_t{10},
                                  "name.exe", "976.5625 K", "user"}));
  EXPECT_EQ((*(*list)[2].as<Collection>())["UserId"], Variant(""));
  EXPECT_TRUE((*(*list)[3].as<Collection>())["UserId"].isNull());
  EXPECT_EQ(memUsageText(Variant(int32_t{1000000}), *PortableRegional::european()), "976,5625 K");
}

TEST_F(ProcessTest, ListingAndDetailsFailuresKeepTheServicesNumber) {
  EXPECT_EQ(failureOf([&] { processes.enumerateProcesses("nowhere"); }).description(),
            "Unable to get processes: The RPC server is unavailable. ");
  service->addInstance("Win32_Process", processInstance(1, Variant("lots")));
  EXPECT_EQ(failureOf([&] { processes.enumerateProcesses("srv"); }).number(), kTypeMismatch);
  EXPECT_EQ(test::raisedBy([&] { processes.getProcessDetails(7, "srv"); }),
            test::Raised(fake::kWbemInvalidQuery, "Error getting process details: Invalid query "));
}

TEST_F(ProcessTest, TerminateEndsTheMatchingProcessOnlyAndAFailureNamesTheReason) {
  auto other = processInstance(8);
  auto target = processInstance(7);
  service->addQuery("Select * from Win32_Process where ProcessId=7", fake::instances({other, target}));
  // Null is no success either: it is no number equal to 0.
  for (const auto &[returned, reason] : {std::pair{Variant(int32_t{2}), "2: Terminate returned 2"},
                                         std::pair{Variant::null(), ": Terminate returned "}}) {
    target->method("Terminate", [&, &r = returned](std::vector<Variant> &) { return r; });
    EXPECT_EQ(test::raisedBy([&] { processes.terminateProcess(7, "srv"); }),
              test::Raised(kInvalidCall, std::string("Unable to terminate process. Reason: ") + reason));
  }
  target->method("Terminate", [](std::vector<Variant> &) { return Variant(int16_t{0}); });
  processes.terminateProcess(7, "srv");
  EXPECT_EQ(target->calls, (std::vector<std::string>{"Terminate", "Terminate", "Terminate"}));
  EXPECT_TRUE(other->calls.empty());
  EXPECT_EQ(processes.getProcessDetails(7, "srv")->count(), 7);
}

} // namespace
} // namespace qv
