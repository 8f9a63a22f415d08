// The main of every benchmark program: Google Benchmark's, then the target
// lines; the exit status is 1 when a target was missed.

#include <benchmark/benchmark.h>

#include "bench/support/targets.hpp"

int main(int argc, char **argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return qv::bench::reportTargets() == 0 ? 0 : 1;
}
