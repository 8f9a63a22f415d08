#include "fleet/fleet_runner.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "tests/support/failure_of.hpp"

namespace qv::fleet {
namespace {

using namespace std::chrono_literals;

// Hosts that answer, are slow or never answer until released, and count
// how many calls run at once.
struct FakeHosts {
  std::atomic<bool> open{false};
  std::atomic<int> running{0}, mostAtOnce{0}, calls{0};

  void release() {
    open = true;
    open.notify_all();
  }

  Variant answer(const std::string &computer) {
    ++calls;
    const int now = ++running;
    for (int seen = mostAtOnce; now > seen && !mostAtOnce.compare_exchange_weak(seen, now);) {
    }
    if (computer.starts_with("DEAD")) open.wait(false);
    if (computer.starts_with("SLOW")) std::this_thread::sleep_for(30ms);
    --running;
    return Variant("os of " + computer);
  }
};

struct FleetRun : ::testing::Test {
  std::shared_ptr<FakeHosts> hosts = std::make_shared<FakeHosts>();
  ~FleetRun() override { hosts->release(); }

  CollectionPtr run(const std::vector<std::string> &computers, int parallel = 8, double bound = 0) {
    HostCall call = [hosts = hosts](const std::string &computer) { return hosts->answer(computer); };
    return runFleet(computers, call, RunOptions{"osInfo", std::chrono::duration<double>(bound), parallel},
                    standardWorkers());
  }
};

const Collection &recordOf(const CollectionPtr &results, const std::string &computer) {
  return *results->item(computer).as<Collection>();
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
  EXPECT_EQ(results->keyAt(1), "DEAD1");
  EXPECT_EQ(recordOf(results, "DEAD1")["Number"].int32(), kTimeoutNumber);
  EXPECT_EQ(recordOf(results, "web1")["Result"].text(), "os of web1");
  // The late answer lands after the records are made and is dropped.
  hosts->release();
  while (hosts->running != 0)
    std::this_thread::sleep_for(1ms);
}

TEST_F(FleetRun, AComputerNamedTwiceFailsBeforeAnyCall) {
  EXPECT_EQ(test::errorNumberOf([&] { run({"web1", "db2", "WEB1"}); }), kDuplicateKey);
  EXPECT_EQ(hosts->calls, 0);
}

} // namespace
} // namespace qv::fleet
