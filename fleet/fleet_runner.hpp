#pragma once
// Runs one call per computer on worker threads, a bounded number at once,
// each with its own time bound, and gathers the outcomes as records. A
// worker that passes its bound is abandoned: it finishes in the background
// and what it returns is dropped.

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/collection.hpp"
#include "core/variant.hpp"

namespace qv::fleet {

// The HRESULT of a wait that ran out (ERROR_TIMEOUT as an HRESULT).
inline constexpr int32_t kTimeoutNumber = static_cast<int32_t>(0x800705B4u);

// Raised by a worker when it finishes; the caller waits on it.
class Signal {
public:
  virtual ~Signal() = default;
  virtual void raise() = 0;
  // Returns when raised (and clears the raise) or after at most timeout.
  virtual void waitFor(std::chrono::milliseconds timeout) = 0;
};

// How workers start and how the caller waits: threads and waiting differ
// between the host and the tests, the scheduling does not.
class Workers {
public:
  virtual ~Workers() = default;
  // Runs work once on a new thread that may outlive the caller.
  virtual void start(std::function<void()> work) = 0;
  virtual std::shared_ptr<Signal> makeSignal() = 0;
};

// The call for one computer, made on a worker thread. Its result must not
// hold anything tied to that thread; a failure is an AutomationError.
using HostCall = std::function<Variant(const std::string &computer)>;

struct RunOptions {
  std::string member;                    // names the call in a timeout's description
  std::chrono::duration<double> bound{}; // per host; zero: no bound
  int parallel = 8;                      // hosts waited on at once
};

// One record per computer, keyed by computer in the given order: "Computer",
// "Ok", "Result", "Number", "Description", "Seconds". A computer named twice
// (in any case) fails with 457 before any call starts.
CollectionPtr runFleet(const std::vector<std::string> &computers, const HostCall &call,
                       const RunOptions &options, Workers &workers);

// Portable workers: detached std::threads and a condition variable.
Workers &standardWorkers();

} // namespace qv::fleet
