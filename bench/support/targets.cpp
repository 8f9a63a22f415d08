#include "bench/support/targets.hpp"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace qv::bench {
namespace {

struct Target {
  std::string name;
  std::string value;
  std::string bound;
  bool met;
};

std::vector<Target> &targets() {
  static std::vector<Target> recorded;
  return recorded;
}

void record(Target target) {
  for (Target &held : targets()) {
    if (held.name == target.name) {
      held = std::move(target);
      return;
    }
  }
  targets().push_back(std::move(target));
}

std::string ratioText(double ratio) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2fx", ratio);
  return text;
}

} // namespace

bool quick() {
  const char *value = std::getenv("QV_BENCH_QUICK");
  return value != nullptr && *value != '\0' && std::string_view(value) != "0";
}

// A ratio that is not a number (a baseline that took no time) misses.
void atMost(const std::string &name, double ratio, double bound) {
  record({name, ratioText(ratio), "<= " + ratioText(bound), std::isfinite(ratio) && ratio <= bound});
}

void atLeast(const std::string &name, double ratio, double bound) {
  record({name, ratioText(ratio), ">= " + ratioText(bound), std::isfinite(ratio) && ratio >= bound});
}

void holds(const std::string &name, bool condition) {
  record({name, condition ? "yes" : "no", "yes", condition});
}

int reportTargets() {
  const char *path = std::getenv("QV_BENCH_TARGETS");
  std::FILE *file = path != nullptr && *path != '\0' ? std::fopen(path, "a") : nullptr;
  int missed = 0;
  for (const Target &target : targets()) {
    std::string line = target.name + ": " + target.value + " (" + target.bound + ")\n";
    std::fputs(line.c_str(), stdout);
    if (file != nullptr) std::fputs(line.c_str(), file);
    if (!target.met) ++missed;
  }
  if (file != nullptr) std::fclose(file);
  return missed;
}

} // namespace qv::bench
