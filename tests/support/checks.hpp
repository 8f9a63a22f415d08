#pragma once
// The check harness of the programs that run where GoogleTest does not: the
// COM checks, the soak and the two-apartment test under Wine, and the lab's
// model checks. A failed check prints "FAIL: " and what it wanted, and the
// run ends with "N passed, N failed", the line the runners read.
//
// Checks is passed to groups of checks by hand; CHECKS blocks register
// themselves and record with CHECK into one Checks of the program.

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace qv::check {

class Checks {
public:
  void expect(bool ok, const std::string &what) {
    ++(ok ? passed_ : failed_);
    if (!ok) std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
  }
  // Prints the totals, after title and ": " when there is one; the exit
  // code of the program.
  int finish(const char *title = nullptr) const {
    if (title != nullptr) std::printf("%s: ", title);
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

private:
  int passed_ = 0;
  int failed_ = 0;
};

using Block = std::pair<const char *, std::function<void()>>;

inline std::vector<Block> &blocks() {
  static std::vector<Block> list;
  return list;
}

inline Checks &programChecks() {
  static Checks checks;
  return checks;
}

struct Registrar {
  Registrar(const char *name, std::function<void()> body) { blocks().emplace_back(name, std::move(body)); }
};

// Runs every registered block (one that throws is one failure) and finishes.
inline int runBlocks(const char *title) {
  for (const auto &[name, body] : blocks()) {
    try {
      body();
    } catch (const std::exception &e) {
      programChecks().expect(false, std::string(name) + " threw: " + e.what());
    }
  }
  return programChecks().finish(title);
}

} // namespace qv::check

#define QV_CHECK_JOIN2(a, b) a##b
#define QV_CHECK_JOIN(a, b) QV_CHECK_JOIN2(a, b)
#define CHECKS(name)                                                                                         \
  static void QV_CHECK_JOIN(checkBlock, __LINE__)();                                                         \
  static ::qv::check::Registrar QV_CHECK_JOIN(checkRegistrar,                                                \
                                              __LINE__)(name, QV_CHECK_JOIN(checkBlock, __LINE__));          \
  static void QV_CHECK_JOIN(checkBlock, __LINE__)()
#define CHECK(expression)                                                                                    \
  ::qv::check::programChecks().expect(static_cast<bool>(expression), std::string(__FILE__) + ":" +           \
                                                                         std::to_string(__LINE__) +          \
                                                                         ": " #expression)
