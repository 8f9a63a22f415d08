// Collection growth: adding items under keys and finding each by its key, at
// 100,000 and 1,000,000 items. Each growth benchmark times both sizes in the
// same run; "growth" is the time for 1,000,000 over the time for 100,000 (10
// for a perfectly linear container). "map_growth" is the same figure for a
// bare std::unordered_map of the same keys, the baseline of what the memory
// hierarchy alone costs once the table no longer fits the caches.

#include <benchmark/benchmark.h>

#include <ctime>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/support/cpu_seconds.hpp"
#include "core/collection.hpp"

namespace {

using qv::Collection;
using qv::Variant;

std::vector<std::string> keys(const char *prefix, int64_t count) {
  std::vector<std::string> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int64_t i = 1; i <= count; ++i)
    out.push_back(prefix + std::to_string(i));
  return out;
}

using qv::bench::secondsOf;

void addAndLookUp(const std::vector<std::string> &names) {
  Collection items;
  int32_t value = 0;
  for (const std::string &name : names)
    items.add(Variant(value++), name);
  // Looked up in another letter case, as scripts read fields.
  int64_t sum = 0;
  for (const std::string &name : names) {
    std::string other = name;
    other[0] = 'r';
    sum += items[other].int32();
  }
  benchmark::DoNotOptimize(sum);
}

void mapAddAndLookUp(const std::vector<std::string> &names) {
  std::unordered_map<std::string, int32_t> items;
  int32_t value = 0;
  for (const std::string &name : names)
    items.emplace(name, value++);
  int64_t sum = 0;
  for (const std::string &name : names)
    sum += items.find(name)->second;
  benchmark::DoNotOptimize(sum);
}

// A result collection of small records under position keys, each record then
// found by its key and one field read, as a script walks a large result.
void resultAndLookUp(const std::vector<std::string> &positions) {
  qv::ResultCollection result;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    auto record = qv::newRecord();
    record->add(Variant(positions[i]), "Name");
    record->add(Variant("Running"), "Status");
    record->add(Variant(static_cast<int32_t>(i)), "ProcessId");
    result.add(record);
  }
  int64_t sum = 0;
  for (const std::string &position : positions) {
    sum += (*(*result.collection())[position].as<Collection>())["processid"].int32();
  }
  benchmark::DoNotOptimize(sum);
}

void BM_CollectionAddAndKeyLookup(benchmark::State &state) {
  const auto names = keys("Record", state.range(0));
  for (auto _ : state)
    addAndLookUp(names);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_CollectionGrowth100kTo1M(benchmark::State &state) {
  const auto small = keys("Record", 100'000);
  const auto large = keys("Record", 1'000'000);
  double seconds[2] = {0, 0};
  double mapSeconds[2] = {0, 0};
  for (auto _ : state) {
    seconds[0] += secondsOf([&] { addAndLookUp(small); });
    seconds[1] += secondsOf([&] { addAndLookUp(large); });
    state.PauseTiming();
    mapSeconds[0] += secondsOf([&] { mapAddAndLookUp(small); });
    mapSeconds[1] += secondsOf([&] { mapAddAndLookUp(large); });
    state.ResumeTiming();
  }
  state.counters["growth"] = seconds[1] / seconds[0];
  state.counters["map_growth"] = mapSeconds[1] / mapSeconds[0];
}

void BM_ResultOfRecordsGrowth100kTo1M(benchmark::State &state) {
  const auto small = keys("", 100'000);
  const auto large = keys("", 1'000'000);
  double seconds[2] = {0, 0};
  for (auto _ : state) {
    seconds[0] += secondsOf([&] { resultAndLookUp(small); });
    seconds[1] += secondsOf([&] { resultAndLookUp(large); });
  }
  state.counters["growth"] = seconds[1] / seconds[0];
}

BENCHMARK(BM_CollectionAddAndKeyLookup)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionGrowth100kTo1M)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ResultOfRecordsGrowth100kTo1M)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
