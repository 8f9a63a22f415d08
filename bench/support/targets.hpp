#pragma once
// The targets a benchmark program checks: each benchmark records the ratio
// it measured against its bound, and the program prints one line per target
// at the end of the run ("name: value (target)") and fails when one missed.
//
// QV_BENCH_QUICK (set and not "0") asks for the quick run: smaller sizes, so
// the growth checks fit in the test command. QV_BENCH_TARGETS names a file
// the target lines are appended to as well.

#include <string>

namespace qv::bench {

bool quick();

// full in the normal run, quickSize in the quick one.
template <class Size> Size sized(Size full, Size quickSize) { return quick() ? quickSize : full; }

// A ratio that must stay at most (or at least) bound. Recording a target
// again replaces its value: Google Benchmark may run a function more than
// once, and the last run counts.
void atMost(const std::string &name, double ratio, double bound);
void atLeast(const std::string &name, double ratio, double bound);
// A condition that must hold (the same output as the baseline).
void holds(const std::string &name, bool condition);

// Prints the target lines; the number of targets missed.
int reportTargets();

} // namespace qv::bench
