// The sorter against the insertion sort it replaces, on the same data in the
// same run. Each iteration times both; the reported time is the sorter's and
// the counter "speedup" is insertion-sort time over sorter time.

#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <string>

#include "bench/support/cpu_seconds.hpp"
#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "core/sorter.hpp"

namespace {

using qv::Collection;
using qv::Variant;

const qv::Regional &regional() { return *qv::PortableRegional::english(); }

// Service-name-like texts of mixed letter case, with many ties.
Collection values(int64_t count) {
  std::mt19937 random(static_cast<unsigned>(count));
  const std::string letters = "aAbBcCdDeE";
  std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
  std::uniform_int_distribution<int> length(1, 6);
  Collection source;
  for (int64_t i = 0; i < count; ++i) {
    std::string value;
    for (int n = length(random); n > 0; --n)
      value.push_back(letters[letter(random)]);
    source.add(Variant(value));
  }
  return source;
}

// Walks the sorted list from its start for every value and inserts it
// behind every item that does not sort after it.
qv::CollectionPtr insertionSort(const Collection &source, int32_t mode) {
  auto sorted = std::make_shared<Collection>();
  for (const Variant &value : source) {
    const std::string &text = value.text();
    int64_t position = 0;
    for (const Variant &placed : *sorted) {
      if (qv::compareText(placed.text(), text, mode, regional()) > 0) break;
      ++position;
    }
    if (position == 0) {
      if (sorted->empty()) {
        sorted->add(value);
      } else {
        sorted->insertBefore(value, std::nullopt, 1);
      }
    } else {
      sorted->insertAfter(value, std::nullopt, static_cast<std::size_t>(position));
    }
  }
  return sorted;
}

using qv::bench::secondsOf;

void BM_SortCollectionAgainstInsertionSort(benchmark::State &state) {
  const Collection source = values(state.range(0));
  const Variant mode(int32_t{1});
  double sorterSeconds = 0;
  double insertionSeconds = 0;
  for (auto _ : state) {
    sorterSeconds +=
        secondsOf([&] { benchmark::DoNotOptimize(qv::sortCollection(source, mode, regional())); });
    state.PauseTiming();
    insertionSeconds += secondsOf([&] { benchmark::DoNotOptimize(insertionSort(source, 1)); });
    state.ResumeTiming();
  }
  state.counters["insertion_ms"] =
      benchmark::Counter(insertionSeconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["speedup"] = insertionSeconds / sorterSeconds;
}

BENCHMARK(BM_SortCollectionAgainstInsertionSort)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
