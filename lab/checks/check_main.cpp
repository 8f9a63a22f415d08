#include <cstdio>
#include <exception>

#include "lab/checks/check.hpp"
#include "lab/model/lab_error.hpp"

namespace qv::lab::checks {
namespace {
int passed = 0;
int failed = 0;
} // namespace

std::vector<Block> &blocks() {
  static std::vector<Block> list;
  return list;
}

void record(bool ok, const char *expression, const char *file, int line) {
  if (ok) {
    ++passed;
    return;
  }
  ++failed;
  std::printf("FAILED %s:%d: %s\n", file, line, expression);
}

bool failsWith(uint32_t code, const std::function<void()> &body) {
  try {
    body();
  } catch (const LabError &e) {
    if (e.code() == code) return true;
    std::printf("  (failed with 0x%08X instead: %s)\n", static_cast<unsigned>(e.code()), e.what());
    return false;
  }
  return false;
}

} // namespace qv::lab::checks

int main() {
  using namespace qv::lab::checks;
  for (const auto &block : blocks()) {
    try {
      block.body();
    } catch (const std::exception &e) {
      record(false, e.what(), block.name, 0);
    }
  }
  std::printf("lab model: %d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
