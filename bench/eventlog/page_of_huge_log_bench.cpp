// The first page of a log of a million entries against the same page of a
// log of a thousand: paging reads the newest entry and the page itself, so
// the two should cost about the same. The large log's time is reported as a
// multiple of the small one's (target: below 2).

#include <benchmark/benchmark.h>

#include <memory>

#include "bench/support/cpu_seconds.hpp"
#include "bench/support/targets.hpp"
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

bool full = true;

// Processor time of the thread: other work on the machine does not count.
double pageSeconds(benchmark::State &state, int32_t entries) {
  Computer computer(entries);
  double seconds = 0;
  for (auto _ : state) {
    int32_t page = 1;
    Variant result;
    seconds +=
        bench::secondsOf([&] { result = computer.events.enumLogEvents("srv", "System", kPageSize, &page); });
    benchmark::DoNotOptimize(result);
    if (result.as<Collection>()->count() != kPageSize) full = false;
  }
  return seconds / static_cast<double>(state.iterations());
}

double gSmallLogSeconds = 0;

void BM_FirstPage_ThousandEntries(benchmark::State &state) { gSmallLogSeconds = pageSeconds(state, 1000); }
BENCHMARK(BM_FirstPage_ThousandEntries)->Unit(benchmark::kMicrosecond);

void BM_FirstPage_MillionEntries(benchmark::State &state) {
  double seconds = pageSeconds(state, 1000000);
  state.counters["times_thousand"] = seconds / gSmallLogSeconds;
  bench::holds("page 1 of a log holds 25 entries", full);
  bench::atMost("page 1 of a 1,000,000-entry log against 1,000 entries", seconds / gSmallLogSeconds, 2);
}
BENCHMARK(BM_FirstPage_MillionEntries)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace qv
