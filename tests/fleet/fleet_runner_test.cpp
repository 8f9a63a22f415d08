#include "fleet/fleet_runner.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <tuple>

#include "tests/support/failure_of.hpp"

namespace qv::fleet {
namespace {

using namespace std::chrono_literals;

// Hosts that answer, are slow or never answer until released; counts the
// calls, the calls made at once and the workers' calls made.
struct FakeHosts {
  std::atomic<bool> open{false}, noObject{false};
  std::atomic<int> running{0}, mostAtOnce{0}, calls{0}, made{0}, inHostCall{0};

  void release() {
    open = true;
    open.notify_all();
  }

  Variant answer(const std::string &computer) {
    ++calls;
    ++inHostCall;
    const int now = ++running;
    for (int seen = mostAtOnce; now > seen && !mostAtOnce.compare_exchange_weak(seen, now);) {
    }
    if (computer.starts_with("DEAD")) open.wait(false);
    if (computer.starts_with("SLOW")) std::this_thread::sleep_for(30ms);
    --running;
    --inHostCall;
    if (computer.starts_with("BAD")) throw std::runtime_error("no " + computer);
    return Variant("os of " + computer);
  }
};

// Portable threads whose outstanding call can be "cancelled": counts the asks.
struct CancellingWorkers : Workers {
  std::shared_ptr<std::atomic<int>> cancels = std::make_shared<std::atomic<int>>(0);
  std::function<void()> start(std::function<void()> work) override {
    standardWorkers().start(std::move(work));
    return [cancels = cancels] { ++*cancels; };
  }
  std::shared_ptr<Signal> makeSignal() override { return standardWorkers().makeSignal(); }
};

struct FleetRun : ::testing::Test {
  CancellingWorkers workers;
  std::shared_ptr<FakeHosts> hosts = std::make_shared<FakeHosts>();
  std::shared_ptr<AbandonedCalls> abandoned = std::make_shared<AbandonedCalls>(3);

  ~FleetRun() override {
    hosts->release();
    // Late workers end before the hosts they call go.
    while (hosts->inHostCall != 0)
      std::this_thread::sleep_for(1ms);
  }

  CollectionPtr run(const std::vector<std::string> &computers, int parallel = 8, double bound = 0) {
    HostCallMaker makeCall = [hosts = hosts]() -> HostCall {
      ++hosts->made;
      if (hosts->noObject) throw std::runtime_error("no object");
      return [hosts](const std::string &computer) { return hosts->answer(computer); };
    };
    RunOptions options{"osInfo", std::chrono::duration<double>(bound), parallel, abandoned};
    return runFleet(computers, makeCall, options, workers);
  }
};

const Collection &recordOf(const CollectionPtr &results, const std::string &computer) {
  return *results->item(computer).as<Collection>();
}

// Each worker takes host after host with the one call it made.
TEST_F(FleetRun, NoMoreHostsRunAtOnceThanParallelAndWorkersTakeHostAfterHost) {
  std::vector<std::string> many{"SLOW1", "SLOW2", "SLOW3", "SLOW4", "SLOW5", "SLOW6", "SLOW7"};
  for (int i = 7; i < 300; ++i)
    many.push_back("web" + std::to_string(i));
  CollectionPtr results = run(many, 3);
  EXPECT_EQ(hosts->calls, 300);
  EXPECT_EQ(results->count(), 300);
  EXPECT_GE(recordOf(results, "SLOW7")["Seconds"].dbl(), 0.03);
  EXPECT_EQ(recordOf(results, "web299")["Result"].text(), "os of web299");
  EXPECT_EQ(hosts->made, 3);
  EXPECT_LE(hosts->mostAtOnce, 3);
}

TEST_F(FleetRun, AHostPastItsBoundIsReportedAndItsPlaceTakenByAnotherWorker) {
  auto began = std::chrono::steady_clock::now();
  // One at a time: the dead host must give up its place for the next one.
  CollectionPtr results = run({"DEAD1", "web1", "BAD2"}, 1, 0.1);
  EXPECT_LT(std::chrono::steady_clock::now() - began, 2s);
  EXPECT_EQ(results->keyAt(1), "DEAD1");
  const Collection &dead = recordOf(results, "DEAD1"), &bad = recordOf(results, "BAD2");
  EXPECT_EQ(
      std::tuple(dead["Computer"].text(), dead["Ok"].boolean(), dead["Result"].isEmpty(),
                 dead["Number"].int32(), dead["Description"].text(), dead["Seconds"].dbl() >= 0.1),
      std::tuple("DEAD1", false, true, kTimeoutNumber, "osInfo on DEAD1 did not answer within 0.1 s", true));
  EXPECT_EQ(std::tuple(bad["Ok"].boolean(), bad["Result"].isEmpty(), bad["Number"].int32(),
                       bad["Description"].text()),
            std::tuple(false, true, static_cast<int32_t>(0x8000FFFFu), "no BAD2"));
  EXPECT_EQ(recordOf(results, "web1")["Result"].text(), "os of web1");
  EXPECT_EQ(hosts->made, 2);
  EXPECT_EQ(*workers.cancels, 1) << "the abandoned worker's call is asked to give up";
}

TEST_F(FleetRun, AnAbandonedCallKeepsItsHostFromLaterRunsUntilItReturns) {
  run({"DEAD1"}, 8, 0.05);
  ASSERT_EQ(abandoned->outstanding(), 1u);
  auto began = std::chrono::steady_clock::now();
  CollectionPtr again = run({"dead1", "web1"}, 8, 5);
  EXPECT_LT(std::chrono::steady_clock::now() - began, 1s);
  EXPECT_EQ(hosts->calls, 2); // DEAD1 once, web1 once
  EXPECT_EQ(hosts->made, 2) << "no more workers than hosts to call";
  const Collection &refused = recordOf(again, "dead1");
  EXPECT_EQ(refused["Number"].int32(), kTimeoutNumber);
  EXPECT_EQ(refused["Description"].text(),
            "osInfo on dead1 was not called: an earlier call to it has not come back");
  EXPECT_TRUE(recordOf(again, "web1")["Ok"].boolean());

  hosts->release();
  while (abandoned->outstanding() != 0)
    std::this_thread::sleep_for(1ms);
  EXPECT_TRUE(recordOf(run({"DEAD1"}, 8, 5), "DEAD1")["Ok"].boolean());
}

TEST_F(FleetRun, PastTheCapEveryHostFailsAtOnce) {
  run({"DEAD1", "DEAD2", "DEAD3"}, 8, 0.05);
  ASSERT_EQ(abandoned->outstanding(), 3u);
  CollectionPtr results = run({"web1"}, 8, 5);
  EXPECT_EQ(recordOf(results, "web1")["Description"].text(),
            "osInfo on web1 was not called: 3 calls to hosts that did not answer have not come back");
  EXPECT_EQ(hosts->calls, 3);
}

TEST_F(FleetRun, AComputerNamedTwiceFailsBeforeAnyCallAndAWorkerWithoutAnObjectFailsItsHosts) {
  EXPECT_EQ(test::errorNumberOf([&] { run({"web1", "db2", "WEB1"}); }), kDuplicateKey);
  EXPECT_EQ(hosts->calls, 0);
  hosts->noObject = true;
  EXPECT_EQ(recordOf(run({"web1"}), "web1")["Number"].int32(), kObjectNotSet);
}

} // namespace
} // namespace qv::fleet
