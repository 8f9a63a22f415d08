// Capturing a large output against the same bytes sent through a plain
// pipe: what the capture's reads and keeping cost over a reader that drops
// everything. The output is larger than the capture keeps, so the dropping
// is timed too.

#include "platform/command_capture.hpp"

#include <benchmark/benchmark.h>

#include "bench/support/cpu_seconds.hpp"
#include "bench/support/targets.hpp"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr std::size_t kOutputSize = std::size_t{50} * 1024 * 1024;

// A file of text lines, like a tool's output, removed when the program ends.
class OutputFile {
public:
  OutputFile() {
    char name[] = "/tmp/qv_capture_bench_XXXXXX";
    int fd = ::mkstemp(name);
    if (fd < 0) throw std::runtime_error("mkstemp failed");
    ::close(fd);
    path_ = name;
    std::ofstream out(path_, std::ios::binary);
    const std::string line = " user0042  rdp-tcp#17  42  Active  1:05  3/5/2005 10:00 AM            \r\n";
    std::size_t written = 0;
    while (written < kOutputSize) {
      std::size_t size = std::min(line.size(), kOutputSize - written);
      out.write(line.data(), static_cast<std::streamsize>(size));
      written += size;
    }
  }
  ~OutputFile() { ::unlink(path_.c_str()); }
  const std::string &path() const { return path_; }

private:
  std::string path_;
};

const OutputFile &outputFile() {
  static const OutputFile file;
  return file;
}

double secondsOf(auto &&run) {
  auto start = std::chrono::steady_clock::now();
  run();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double childSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_CHILDREN, &usage);
  auto seconds = [](const timeval &time) {
    return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Processor time of this thread and of the children it waited for: the
// work done, however busy the machine is with other work.
double workOf(auto &&run) {
  const double children = childSeconds();
  const double own = qv::bench::secondsOf(run);
  return own + childSeconds() - children;
}

// Each iteration runs, alternately, the same bytes through a plain pipe
// (cat into cat into /dev/null) and the capture of cat (a shell starts
// both). Both sides copy the bytes into a pipe and out again, so their
// processor time grows alike with the machine's load and caches; the
// target is the median of the paired ratios, which one disturbed pair
// cannot move.
void BM_CaptureAgainstPlainPipe(benchmark::State &state) {
  const std::string &path = outputFile().path();
  const std::string throughPipe = "cat '" + path + "' | cat > /dev/null";
  const std::string toPipe = "cat '" + path + "'";
  std::vector<double> ratios;
  bool complete = true;
  for (auto _ : state) {
    const double pipeWork = workOf([&] {
      if (std::system(throughPipe.c_str()) != 0) complete = false;
    });
    double captureWork = 0;
    const double seconds = secondsOf([&] {
      captureWork = workOf([&] {
        std::string output = qv::platform::captureCommandOutput(toPipe, [](const std::string &) {});
        if (output.size() != qv::platform::kCaptureKeepLimit) complete = false;
        benchmark::DoNotOptimize(output.data());
      });
    });
    ratios.push_back(captureWork / pipeWork);
    state.SetIterationTime(seconds);
  }
  std::sort(ratios.begin(), ratios.end());
  const double median = ratios.empty() ? 0 : ratios[ratios.size() / 2];
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kOutputSize));
  state.counters["work_ratio_median"] = benchmark::Counter(median);
  state.counters["work_ratio_spread"] =
      benchmark::Counter(ratios.empty() ? 0 : ratios.back() - ratios.front());
  qv::bench::holds("capture of 50 MB keeps 32 MiB", complete);
  qv::bench::atMost("capture of 50 MB against a plain pipe, processor time, median of pairs", median, 2);
}
BENCHMARK(BM_CaptureAgainstPlainPipe)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

} // namespace
