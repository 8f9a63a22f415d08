#pragma once
// A minimal check recorder for the COM client: each check prints on
// failure, and the run ends with "N passed, N failed".

#include <cstdio>
#include <string>

namespace qv::comcheck {

class Checks {
public:
  void expect(bool ok, const std::string &what) {
    if (ok) {
      ++passed_;
    } else {
      ++failed_;
      std::printf("FAIL: %s\n", what.c_str());
    }
  }
  int finish() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

private:
  int passed_ = 0;
  int failed_ = 0;
};

std::string hex(long value);

} // namespace qv::comcheck
