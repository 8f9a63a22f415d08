// servicesSorted against the sorter it replaces: an insertion sort of the
// field values followed by a lookup of each value's record in the working
// list, both quadratic. The two must give the same records in the same
// order; the fast one is reported as a multiple of the slow one's speed.

#include <benchmark/benchmark.h>

#include <ctime>
#include <limits>
#include <random>

#include "core/convert.hpp"
#include "core/portable_regional.hpp"
#include "core/sorter.hpp"
#include "core/targets.hpp"
#include "services/services.hpp"
#include "tests/fakes/fake_directory.hpp"

namespace qv {
namespace {

constexpr int kServices = 20000;
constexpr const char *kSortKey = "DisplayName";

struct Network {
  Network() {
    auto computer = directory->add(computerPath("LAB", "SRV1"), "Computer", "SRV1");
    const char *words[] = {"Windows", "update", "Print", "spooler", "Remote", "registry", "DHCP", "client",
                           "Event",   "log",    "Task",  "Agent",   "net",    "Logon",    "Time", "Service"};
    std::mt19937 random(2024);
    for (int i = 0; i < kServices; ++i) {
      std::string display;
      for (int w = 0; w < 3; ++w)
        display += std::string(w ? " " : "") + words[random() % 16];
      auto service = computer->addChild("Service", "svc" + std::to_string(i));
      service->set("DisplayName", Variant(display))
          .set("status", Variant(static_cast<int32_t>(1 + 3 * (random() % 3))))
          .set("ServiceType", Variant(int32_t{16}))
          .set("StartType", Variant(static_cast<int32_t>(2 + random() % 3)));
    }
    platform.directory = directory;
    platform.regional = regional;
  }
  std::shared_ptr<fake::Directory> directory = std::make_shared<fake::Directory>();
  std::shared_ptr<const Regional> regional = PortableRegional::english();
  Platform platform;
};

Network &network() {
  static Network instance;
  return instance;
}

// The values in ascending order, each inserted behind every value that does
// not sort after it, the position counted in 16 bits.
CollectionPtr insertionSort(const Collection &source, int32_t mode, const Regional &regional) {
  auto sorted = std::make_shared<Collection>();
  for (const Variant &value : source) {
    std::string text = toText(value, regional);
    int16_t position = 0;
    for (const Variant &item : *sorted) {
      if (compareText(item.text(), text, mode, regional) > 0) break;
      if (position == std::numeric_limits<int16_t>::max()) throwRuntimeError(kOverflow);
      ++position;
    }
    if (position == 0 && sorted->empty()) {
      sorted->add(Variant(text));
    } else if (position == 0) {
      sorted->insertBefore(Variant(text), std::nullopt, 1);
    } else {
      sorted->insertAfter(Variant(text), std::nullopt, static_cast<std::size_t>(position));
    }
  }
  return sorted;
}

CollectionPtr valueSortAndLookup(Services &services, const Regional &regional) {
  CollectionPtr listed = services.serviceList();
  WorkingListScope scope(listed);
  Collection values;
  for (const Variant &record : *listed) {
    const Collection &fields = *record.as<Collection>();
    values.add(fields[kSortKey], toText(fields["name"], regional));
  }
  ResultCollection result;
  CollectionPtr sorted = insertionSort(values, 1, regional);
  for (const Variant &value : *sorted) {
    result.add(takeMatchingRecord(value.text(), kSortKey, regional));
  }
  return result.take();
}

std::vector<std::string> namesOf(const CollectionPtr &result) {
  std::vector<std::string> names;
  for (const Variant &record : *result)
    names.push_back((*record.as<Collection>())["Name"].text());
  return names;
}

// Processor time of this process: the machine may be busy with other work.
double cpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

double gBaselineSeconds = 0;
std::vector<std::string> gBaselineOrder;

Services servicesOfLab() {
  Services services(network().platform);
  services.setWorkgroup("LAB");
  services.setComputerName("SRV1");
  return services;
}

void BM_ServicesSorted_ValueSortAndLookup(benchmark::State &state) {
  Services services = servicesOfLab();
  for (auto _ : state) {
    double start = cpuSeconds();
    auto result = valueSortAndLookup(services, *network().regional);
    gBaselineSeconds = cpuSeconds() - start;
    gBaselineOrder = namesOf(result);
    start = cpuSeconds();
    result.reset();
    gBaselineSeconds += cpuSeconds() - start;
  }
}
BENCHMARK(BM_ServicesSorted_ValueSortAndLookup)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ServicesSorted(benchmark::State &state) {
  Services services = servicesOfLab();
  if (gBaselineOrder.empty()) gBaselineOrder = namesOf(valueSortAndLookup(services, *network().regional));
  if (namesOf(services.servicesSorted(kSortKey)) != gBaselineOrder) {
    state.SkipWithError("servicesSorted differs from the value sort and lookup");
    return;
  }
  double seconds = 0;
  for (auto _ : state) {
    double start = cpuSeconds();
    {
      auto result = services.servicesSorted(kSortKey);
      benchmark::DoNotOptimize(result);
    }
    seconds += cpuSeconds() - start;
  }
  if (gBaselineSeconds > 0) {
    state.counters["times_faster_cpu"] =
        gBaselineSeconds / (seconds / static_cast<double>(state.iterations()));
  }
}
BENCHMARK(BM_ServicesSorted)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace qv
