#pragma once
// Runs a test step on a thread of its own, so it starts with a fresh
// per-thread bias cache; failures and exceptions come back to the caller.

#include <exception>
#include <thread>

namespace qv::test {

template <class Step> void onNewThread(Step &&step) {
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      step();
    } catch (...) {
      failure = std::current_exception();
    }
  });
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

} // namespace qv::test
