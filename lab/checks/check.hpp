#pragma once
// A small check harness for the lab's model (the cross build has no test
// framework): CHECK records a failure with its place and goes on; each
// LAB_CHECKS block registers itself; main prints "N passed, N failed".

#include <functional>
#include <string>
#include <vector>

namespace qv::lab::checks {

struct Block {
  const char *name;
  std::function<void()> body;
};
std::vector<Block> &blocks();
void record(bool ok, const char *expression, const char *file, int line);

struct Registrar {
  Registrar(const char *name, std::function<void()> body) { blocks().push_back({name, std::move(body)}); }
};

// Runs body and tells whether it threw a LabError with that code.
bool failsWith(uint32_t code, const std::function<void()> &body);

} // namespace qv::lab::checks

#define LAB_CHECK_JOIN2(a, b) a##b
#define LAB_CHECK_JOIN(a, b) LAB_CHECK_JOIN2(a, b)
#define LAB_CHECKS(name)                                                                                     \
  static void LAB_CHECK_JOIN(labCheck, __LINE__)();                                                          \
  static ::qv::lab::checks::Registrar LAB_CHECK_JOIN(labRegistrar,                                           \
                                                     __LINE__)(name, LAB_CHECK_JOIN(labCheck, __LINE__));    \
  static void LAB_CHECK_JOIN(labCheck, __LINE__)()
#define CHECK(expression)                                                                                    \
  ::qv::lab::checks::record(static_cast<bool>(expression), #expression, __FILE__, __LINE__)
