// The sorter against the insertion sort it replaces, written out over a plain
// vector with the platform's text comparison, on the same data in the same
// run. Each iteration times both; the reported time is the sorter's and the
// counter "speedup" is insertion-sort time over sorter time.

#include <benchmark/benchmark.h>

#include <ctime>
#include <random>
#include <string>
#include <vector>

#include "bench/support/cpu_seconds.hpp"
#include "bench/support/targets.hpp"
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
std::vector<std::string> insertionSort(const std::vector<std::string> &source) {
  std::vector<std::string> sorted;
  for (const std::string &value : source) {
    std::size_t position = 0;
    while (position < sorted.size() && regional().compareText(sorted[position], value) <= 0)
      ++position;
    // cppcheck-suppress containerOutOfBounds ; position never passes sorted.size()
    sorted.insert(sorted.begin() + static_cast<std::ptrdiff_t>(position), value);
  }
  return sorted;
}

using qv::bench::secondsOf;

void BM_SortCollectionAgainstInsertionSort(benchmark::State &state) {
  const Collection source = values(state.range(0));
  std::vector<std::string> plain;
  for (const Variant &value : source)
    plain.push_back(value.text());
  const Variant mode(int32_t{1});
  double sorterSeconds = 0;
  double insertionSeconds = 0;
  bool same = true;
  for (auto _ : state) {
    qv::CollectionPtr sorted;
    sorterSeconds += secondsOf([&] { sorted = qv::sortCollection(source, mode, regional()); });
    state.PauseTiming();
    std::vector<std::string> expected;
    insertionSeconds += secondsOf([&] { expected = insertionSort(plain); });
    std::vector<std::string> got;
    for (const Variant &value : *sorted)
      got.push_back(value.text());
    same = same && got == expected;
    state.ResumeTiming();
  }
  state.counters["insertion_ms"] =
      benchmark::Counter(insertionSeconds * 1e3, benchmark::Counter::kAvgIterations);
  state.counters["speedup"] = insertionSeconds / sorterSeconds;
  const std::string name = "sortCollection " + std::to_string(state.range(0));
  qv::bench::holds(name + " same order as the insertion sort", same);
  if (state.range(0) >= 20000)
    qv::bench::atLeast(name + " times faster than the insertion sort", insertionSeconds / sorterSeconds, 50);
}

BENCHMARK(BM_SortCollectionAgainstInsertionSort)
    ->Arg(2000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
