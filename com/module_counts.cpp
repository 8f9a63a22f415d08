#include "com/module_counts.hpp"

#include <atomic>

namespace qv::com {
namespace {

std::atomic<long> liveObjects{0};
std::atomic<long> locks{0};

} // namespace

void objectCreated() noexcept { ++liveObjects; }
void objectDestroyed() noexcept { --liveObjects; }
void lockModule(bool lock) noexcept {
  if (lock) {
    ++locks;
  } else {
    --locks;
  }
}
bool moduleInUse() noexcept { return liveObjects.load() != 0 || locks.load() != 0; }

} // namespace qv::com
