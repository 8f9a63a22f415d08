// Capturing a large output against the same bytes written to /dev/null by
// cat: what the pipe and the small reads cost over the command itself.

#include "platform/command_capture.hpp"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <stdexcept>
#include <string>

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

// Each iteration runs cat to /dev/null and the capture of cat; the time
// reported is the capture's, and "ratio" is capture time over cat time.
void BM_CaptureAgainstCatToDevNull(benchmark::State &state) {
  const std::string &path = outputFile().path();
  const std::string toNull = "cat '" + path + "' > /dev/null";
  const std::string toPipe = "cat '" + path + "'";
  double catSeconds = 0, captureSeconds = 0;
  for (auto _ : state) {
    catSeconds += secondsOf([&] {
      if (std::system(toNull.c_str()) != 0) state.SkipWithError("cat failed");
    });
    double seconds = secondsOf([&] {
      std::string output = qv::platform::captureCommandOutput(toPipe, [](const std::string &) {});
      if (output.size() != kOutputSize) state.SkipWithError("short capture");
      benchmark::DoNotOptimize(output.data());
    });
    captureSeconds += seconds;
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kOutputSize));
  state.counters["cat_ms"] = benchmark::Counter(catSeconds * 1000 / static_cast<double>(state.iterations()));
  state.counters["capture_ms"] =
      benchmark::Counter(captureSeconds * 1000 / static_cast<double>(state.iterations()));
  state.counters["ratio"] = benchmark::Counter(captureSeconds / catSeconds);
}
BENCHMARK(BM_CaptureAgainstCatToDevNull)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace
