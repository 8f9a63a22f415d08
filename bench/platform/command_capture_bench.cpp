// Capturing a large output against the same bytes written to /dev/null by
// cat: what the pipe and the reads cost over the command itself. The output
// is larger than the capture keeps, so the dropping is timed too.

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

// Each iteration runs cat to /dev/null and the capture of cat (a shell
// starts both). The target compares the fastest run of each: a busy
// machine can only stretch a run. "work_ratio" compares processor time
// instead, the capture's side including cat writing into the pipe.
void BM_CaptureAgainstCatToDevNull(benchmark::State &state) {
  const std::string &path = outputFile().path();
  const std::string toNull = "cat '" + path + "' > /dev/null";
  const std::string toPipe = "cat '" + path + "'";
  double catBest = 1e300, captureBest = 1e300, catWork = 0, captureWork = 0;
  bool complete = true;
  for (auto _ : state) {
    catBest = std::min(catBest, secondsOf([&] {
                         catWork += workOf([&] {
                           if (std::system(toNull.c_str()) != 0) complete = false;
                         });
                       }));
    double seconds = secondsOf([&] {
      captureWork += workOf([&] {
        std::string output = qv::platform::captureCommandOutput(toPipe, [](const std::string &) {});
        if (output.size() != qv::platform::kCaptureKeepLimit) complete = false;
        benchmark::DoNotOptimize(output.data());
      });
    });
    captureBest = std::min(captureBest, seconds);
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kOutputSize));
  state.counters["cat_ms"] = benchmark::Counter(catBest * 1000);
  state.counters["capture_ms"] = benchmark::Counter(captureBest * 1000);
  state.counters["work_ratio"] = benchmark::Counter(captureWork / catWork);
  state.counters["ratio"] = benchmark::Counter(captureBest / catBest);
  qv::bench::holds("capture of 50 MB keeps 32 MiB", complete);
  qv::bench::atMost("capture of 50 MB against cat to /dev/null", captureBest / catBest, 3);
}
BENCHMARK(BM_CaptureAgainstCatToDevNull)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
