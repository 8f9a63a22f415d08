// The folder-size walk on a generated tree of 50,000 files, against `du -sb`
// on the same tree in the same run. The counter ratio_to_du is the walk's
// time over du's (target: at most 1.5).

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "bench/support/targets.hpp"
#include "platform/folder_size.hpp"

extern char **environ;

namespace fs = std::filesystem;

namespace {

constexpr int kTopFolders = 20;
constexpr int kSubFolders = 25;
constexpr int kFilesPerFolder = 100; // 20 * 25 * 100 = 50,000 files

// The tree, made once for the whole run and removed at its end.
class GeneratedTree {
public:
  GeneratedTree() {
    std::string pattern = (fs::temp_directory_path() / "qv-folder-size-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
    int n = 0;
    for (int top = 0; top < kTopFolders; ++top) {
      for (int sub = 0; sub < kSubFolders; ++sub) {
        fs::path folder = root_ / ("site" + std::to_string(top)) / ("folder" + std::to_string(sub));
        fs::create_directories(folder);
        for (int file = 0; file < kFilesPerFolder; ++file, ++n) {
          std::ofstream out(folder / ("page" + std::to_string(file) + ".html"), std::ios::binary);
          out << std::string(static_cast<std::size_t>(n % 700), 'x');
        }
      }
    }
  }
  ~GeneratedTree() {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }
  std::string path() const { return root_.string(); }

private:
  fs::path root_;
};

const GeneratedTree &tree() {
  static GeneratedTree generated;
  return generated;
}

// Runs `du -sb path` to its end, output discarded.
void runDu(const std::string &path) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::string program = "du", option = "-sb", target = path;
  char *argv[] = {program.data(), option.data(), target.data(), nullptr};
  pid_t child = 0;
  int failed = posix_spawnp(&child, "du", &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) throw std::runtime_error("du could not start");
  int status = 0;
  waitpid(child, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) throw std::runtime_error("du failed");
}

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BM_FolderSize(benchmark::State &state) {
  const std::string path = tree().path();
  for (auto _ : state)
    benchmark::DoNotOptimize(qv::platform::folderSize(path));
  state.counters["files"] = kTopFolders * kSubFolders * kFilesPerFolder;
}
BENCHMARK(BM_FolderSize)->Unit(benchmark::kMillisecond);

void BM_DuSb(benchmark::State &state) {
  const std::string path = tree().path();
  for (auto _ : state)
    runDu(path);
}
BENCHMARK(BM_DuSb)->Unit(benchmark::kMillisecond);

// Both in each iteration, so they see the same cache state; the time shown
// is the walk's.
void BM_FolderSizeVsDu(benchmark::State &state) {
  const std::string path = tree().path();
  qv::platform::folderSize(path);
  runDu(path);
  double walk = 0, du = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(qv::platform::folderSize(path));
    auto middle = std::chrono::steady_clock::now();
    runDu(path);
    auto end = std::chrono::steady_clock::now();
    walk += seconds(middle - start);
    du += seconds(end - middle);
    state.SetIterationTime(seconds(middle - start));
  }
  state.counters["ratio_to_du"] = walk / du;
  qv::bench::atMost("folder walk of 50,000 files against du -sb", walk / du, 1.5);
}
BENCHMARK(BM_FolderSizeVsDu)->UseManualTime()->Unit(benchmark::kMillisecond);

// For reference: the same walk through std::filesystem's iterator.
void BM_StdFilesystemWalk(benchmark::State &state) {
  const std::string path = tree().path();
  for (auto _ : state) {
    uint64_t total = 0;
    std::error_code ec;
    fs::recursive_directory_iterator it(path, fs::directory_options::skip_permission_denied, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
      if (it->is_regular_file(ec)) {
        auto bytes = it->file_size(ec);
        if (!ec) total += bytes;
      }
      ec.clear();
    }
    benchmark::DoNotOptimize(total);
  }
}
BENCHMARK(BM_StdFilesystemWalk)->Unit(benchmark::kMillisecond);

} // namespace
