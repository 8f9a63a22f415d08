#pragma once
// Thread CPU time of one run: other work on the machine does not stretch it.

#include <ctime>

namespace qv::bench {

template <class Run> double secondsOf(Run &&run) {
  auto now = [] {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
  };
  double start = now();
  run();
  return now() - start;
}

} // namespace qv::bench
