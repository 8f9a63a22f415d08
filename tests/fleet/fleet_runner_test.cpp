#include "fleet/fleet_runner.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

#include "core/automation_error.hpp"
#include "fleet/fleet_targets.hpp"

namespace qv::fleet {
namespace {

using namespace std::chrono_literals;

// Hosts that answer, fail, are slow or never answer until released, and
// count how many calls run at once.
struct FakeHosts {
  std::mutex lock;
  std::condition_variable released;
  bool open = false;
  std::atomic<int> running{0}, mostAtOnce{0}, calls{0};

  void release() {
    {
      std::lock_guard guard(lock);
      open = true;
    }
    released.notify_all();
  }

  Variant answer(const std::string &computer) {
    ++calls;
    int now = ++running;
    for (int seen = mostAtOnce; now > seen && !mostAtOnce.compare_exchange_weak(seen, now);) {
    }
    struct Leave {
      std::atomic<int> &running;
      ~Leave() { --running; }
    } leave{running};
    if (computer.starts_with("DEAD")) {
      std::unique_lock guard(lock);
      released.wait(guard, [this] { return open; });
      return Variant("late");
    }
    if (computer.starts_with("SLOW")) std::this_thread::sleep_for(30ms);
    if (computer.starts_with("GONE")) {
      throw AutomationError(static_cast<int32_t>(0x800706BA), "SWbemLocator",
                            "osInfo: The RPC server is unavailable.");
    }
    return Variant("os of " + computer);
  }
};

struct FleetRun : ::testing::Test {
  std::shared_ptr<FakeHosts> hosts = std::make_shared<FakeHosts>();
  HostCall call = [hosts = hosts](const std::string &computer) { return hosts->answer(computer); };
  ~FleetRun() override { hosts->release(); }

  CollectionPtr run(const std::vector<std::string> &computers, int parallel = 8, double bound = 0) {
    return runFleet(computers, call, RunOptions{"osInfo", std::chrono::duration<double>(bound), parallel},
                    standardWorkers());
  }
};

const Collection &recordOf(const CollectionPtr &results, const std::string &computer) {
  return *results->item(computer).as<Collection>();
}

TEST_F(FleetRun, RecordsFollowTheInputOrderWithEachHostsResultOrError) {
  CollectionPtr results = run({"web1", "GONE", "SLOW1", "db2"});
  ASSERT_EQ(results->count(), 4);
  const char *order[] = {"web1", "GONE", "SLOW1", "db2"};
  for (int position = 1; position <= 4; ++position) {
    EXPECT_EQ(*results->keyAt(position), order[position - 1]);
  }
  const Collection &ok = recordOf(results, "SLOW1");
  EXPECT_EQ(ok["Computer"].text(), "SLOW1");
  EXPECT_TRUE(ok["Ok"].boolean());
  EXPECT_EQ(ok["Result"].text(), "os of SLOW1");
  EXPECT_EQ(ok["Number"].int32(), 0);
  EXPECT_GE(ok["Seconds"].dbl(), 0.03);
  const Collection &failed = recordOf(results, "gone");
  EXPECT_FALSE(failed["Ok"].boolean());
  EXPECT_TRUE(failed["Result"].isEmpty());
  EXPECT_EQ(failed["Number"].int32(), static_cast<int32_t>(0x800706BA));
  EXPECT_EQ(failed["Description"].text(), "osInfo: The RPC server is unavailable.");
}

TEST_F(FleetRun, NoMoreHostsRunAtOnceThanParallel) {
  run({"SLOW1", "SLOW2", "SLOW3", "SLOW4", "SLOW5", "SLOW6", "SLOW7"}, 3);
  EXPECT_EQ(hosts->calls, 7);
  EXPECT_LE(hosts->mostAtOnce, 3);
  EXPECT_GE(hosts->mostAtOnce, 2);
}

TEST_F(FleetRun, AHostPastItsBoundIsReportedAndItsLateResultDropped) {
  auto began = std::chrono::steady_clock::now();
  // One at a time: the dead host must give up its place for the next one.
  CollectionPtr results = run({"DEAD1", "web1"}, 1, 0.1);
  EXPECT_LT(std::chrono::steady_clock::now() - began, 2s);
  const Collection &dead = recordOf(results, "DEAD1");
  EXPECT_FALSE(dead["Ok"].boolean());
  EXPECT_EQ(dead["Number"].int32(), kTimeoutNumber);
  EXPECT_EQ(dead["Description"].text(), "osInfo on DEAD1 did not answer within 0.1 s");
  EXPECT_GE(dead["Seconds"].dbl(), 0.1);
  EXPECT_TRUE(recordOf(results, "web1")["Ok"].boolean());

  // The late answer lands after the records are made and is dropped.
  hosts->release();
  while (hosts->running != 0)
    std::this_thread::sleep_for(1ms);
}

TEST_F(FleetRun, AComputerNamedTwiceFailsBeforeAnyCall) {
  try {
    run({"web1", "db2", "WEB1"});
    FAIL() << "a duplicate was accepted";
  } catch (const AutomationError &error) {
    EXPECT_EQ(error.number(), kDuplicateKey);
  }
  EXPECT_EQ(hosts->calls, 0);
}

TEST(FleetTargets, ComputersTargetsAndWorkgroups) {
  EXPECT_EQ(splitComputers(" web1, db2,,web3\tweb4 "),
            (std::vector<std::string>{"web1", "db2", "web3", "web4"}));
  EXPECT_TRUE(splitComputers(" , ").empty());

  std::map<std::vector<std::string>, std::optional<std::size_t>> cases{{{"computer"}, 0},
                                                                       {{"processId", "Computer"}, 1},
                                                                       {{"status", "TRMSERVER", "id"}, 1},
                                                                       {{"computerName", "id"}, 0},
                                                                       {{"wg", "cn"}, 1},
                                                                       {{"strService"}, std::nullopt},
                                                                       {{}, std::nullopt}};
  for (const auto &[names, expected] : cases)
    EXPECT_EQ(targetParameter(names), expected) << names.size();

  WorkgroupTarget both = splitWorkgroupTarget("CORP/WEB1");
  EXPECT_EQ(both.workgroup, "CORP");
  EXPECT_EQ(both.computer, "WEB1");
  EXPECT_FALSE(splitWorkgroupTarget("WEB1").workgroup);
}

} // namespace
} // namespace qv::fleet
