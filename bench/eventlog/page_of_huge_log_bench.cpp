// The first page of a log of a million entries against the same page of a
// log of a thousand: paging reads the newest entry and the page itself, so
// the two should cost about the same. The large log's time is reported as a
// multiple of the small one's (target: below 2).

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

#include "eventlog/event_log.hpp"
#include "tests/eventlog/fake_event_log.hpp"

namespace qv {
namespace {

constexpr int32_t kPageSize = 25;

struct Computer {
  explicit Computer(int32_t entries) : log(*world.target, "System", entries) {}
  test::EventLogWorld world;
  test::FakeEventLog log;
  EventLog events{world.platform};
};

double pageSeconds(benchmark::State &state, int32_t entries) {
  Computer computer(entries);
  double seconds = 0;
  for (auto _ : state) {
    int32_t page = 1;
    auto start = std::chrono::steady_clock::now();
    Variant result = computer.events.enumLogEvents("srv", "System", kPageSize, &page);
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    benchmark::DoNotOptimize(result);
    if (result.as<Collection>()->count() != kPageSize) state.SkipWithError("the page is not full");
  }
  return seconds / static_cast<double>(state.iterations());
}

double gSmallLogSeconds = 0;

void BM_FirstPage_ThousandEntries(benchmark::State &state) { gSmallLogSeconds = pageSeconds(state, 1000); }
BENCHMARK(BM_FirstPage_ThousandEntries)->Unit(benchmark::kMicrosecond);

void BM_FirstPage_MillionEntries(benchmark::State &state) {
  double seconds = pageSeconds(state, 1000000);
  if (gSmallLogSeconds > 0) state.counters["times_thousand"] = seconds / gSmallLogSeconds;
}
BENCHMARK(BM_FirstPage_MillionEntries)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace qv
