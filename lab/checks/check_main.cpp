#include <cstdio>

#include "lab/checks/check.hpp"
#include "lab/model/lab_error.hpp"

namespace qv::lab::checks {

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

int main() { return qv::check::runBlocks("lab model"); }
