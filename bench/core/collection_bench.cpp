// Collection growth: adding items under keys and finding each by its key,
// and emptying a keyed collection from the back, at 100,000 and 1,000,000
// items (10,000 and 100,000 in the quick run). Each growth benchmark times
// both sizes in the same run; "growth" is the time for the large size over
// the time for the small one (10 for a perfectly linear container).
// "map_growth" is the same figure for a bare std::unordered_map of the same
// keys, the baseline of what the memory hierarchy alone costs once the table
// no longer fits the caches: it is why the targets allow twice the linear
// growth.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "bench/support/cpu_seconds.hpp"
#include "bench/support/targets.hpp"
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

// The same records in plain standard containers: each record a small map
// of three fields held by a shared pointer, the result an ordered list with
// an index by position text. It allocates as the result does, so its growth
// is what the allocator and the caches alone cost at these sizes.
void plainRecordsAndLookUp(const std::vector<std::string> &positions) {
  using Record = std::unordered_map<std::string, std::string>;
  std::vector<std::shared_ptr<Record>> ordered;
  std::unordered_map<std::string, std::size_t> index;
  for (std::size_t i = 0; i < positions.size(); ++i) {
    auto record = std::make_shared<Record>();
    record->emplace("name", positions[i]);
    record->emplace("status", "Running");
    record->emplace("processid", std::to_string(i));
    ordered.push_back(std::move(record));
    index.emplace(positions[i], i);
  }
  int64_t sum = 0;
  for (const std::string &position : positions)
    sum += static_cast<int64_t>(ordered[index.find(position)->second]->find("processid")->second.size());
  benchmark::DoNotOptimize(sum);
}

void BM_CollectionAddAndKeyLookup(benchmark::State &state) {
  const auto names = keys("Record", state.range(0));
  for (auto _ : state)
    addAndLookUp(names);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The sizes of the growth benchmarks, and their names in the target lines.
int64_t smallSize() { return qv::bench::sized<int64_t>(100'000, 10'000); }
std::string sizesText() {
  return qv::bench::quick() ? std::string("10,000 to 100,000") : std::string("100,000 to 1,000,000");
}

// Keyed entries under position keys, then every entry removed from the back,
// as a script empties a large result.
double emptyingFromTheBack(int64_t count) {
  qv::ResultCollection result;
  for (int64_t i = 0; i < count; ++i)
    result.add(Variant(static_cast<int32_t>(i)));
  Collection &items = *result.collection();
  return secondsOf([&] {
    while (!items.empty())
      items.remove(Variant(items.count()));
  });
}

double mapEmptying(const std::vector<std::string> &names) {
  std::unordered_map<std::string, int32_t> items;
  int32_t value = 0;
  for (const std::string &name : names)
    items.emplace(name, value++);
  return secondsOf([&] {
    for (std::size_t at = names.size(); at-- > 0;)
      items.erase(names[at]);
  });
}

void BM_CollectionGrowth(benchmark::State &state) {
  const auto small = keys("Record", smallSize());
  const auto large = keys("Record", smallSize() * 10);
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
  // Adding grows into fresh memory, which the machine's caches and its
  // other work dominate: the target is the bare map's growth in the same run.
  qv::bench::atMost("keyed add and look-up growth " + sizesText() + " against std::unordered_map's",
                    (seconds[1] / seconds[0]) / (mapSeconds[1] / mapSeconds[0]), 1);
}

void BM_ResultOfRecordsGrowth(benchmark::State &state) {
  const auto small = keys("", smallSize());
  const auto large = keys("", smallSize() * 10);
  // The least time of each: the machine's other work can only stretch a run.
  double seconds[2] = {1e300, 1e300};
  double plainSeconds[2] = {1e300, 1e300};
  auto least = [](double &held, double seconds) { held = std::min(held, seconds); };
  for (auto _ : state) {
    least(seconds[0], secondsOf([&] { resultAndLookUp(small); }));
    least(seconds[1], secondsOf([&] { resultAndLookUp(large); }));
    state.PauseTiming();
    least(plainSeconds[0], secondsOf([&] { plainRecordsAndLookUp(small); }));
    least(plainSeconds[1], secondsOf([&] { plainRecordsAndLookUp(large); }));
    state.ResumeTiming();
  }
  state.counters["growth"] = seconds[1] / seconds[0];
  state.counters["plain_growth"] = plainSeconds[1] / plainSeconds[0];
  // A million small records outgrow every cache, by as much as the run
  // happens to meet: the target is the plain containers' growth in the same
  // run (a path that is quadratic in the records grows tenfold past it).
  qv::bench::atMost("result of records growth " + sizesText() + " against plain containers'",
                    (seconds[1] / seconds[0]) / (plainSeconds[1] / plainSeconds[0]), 2);
}

void BM_KeyedRemovalGrowth(benchmark::State &state) {
  double seconds[2] = {0, 0};
  double mapSeconds[2] = {0, 0};
  for (auto _ : state) {
    seconds[0] += emptyingFromTheBack(smallSize());
    const double large = emptyingFromTheBack(smallSize() * 10);
    seconds[1] += large;
    mapSeconds[0] += mapEmptying(keys("", smallSize()));
    mapSeconds[1] += mapEmptying(keys("", smallSize() * 10));
    state.SetIterationTime(large);
  }
  state.counters["growth"] = seconds[1] / seconds[0];
  state.counters["map_growth"] = mapSeconds[1] / mapSeconds[0];
  // Freeing a million entries costs what the caches make it cost, which
  // moves from run to run: the target is twice the bare map's growth in the
  // same run (a removal that moves the entries behind it grows a hundredfold).
  qv::bench::atMost("emptying a keyed collection from the back, growth " + sizesText() +
                        " against std::unordered_map's",
                    (seconds[1] / seconds[0]) / (mapSeconds[1] / mapSeconds[0]), 2);
}

BENCHMARK(BM_CollectionAddAndKeyLookup)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CollectionGrowth)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ResultOfRecordsGrowth)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_KeyedRemovalGrowth)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
