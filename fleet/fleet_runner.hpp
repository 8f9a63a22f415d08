#pragma once
// Runs one call per computer on worker threads, a bounded number at once,
// each host with its own time bound, and gathers the outcomes as records.
// A worker takes host after host and keeps what its call made (an object,
// a platform) from one host to the next; it ends when no host is left. A
// worker whose host passes its bound is abandoned: it finishes in the
// background, what it returns is dropped, and another worker takes its
// place. While an abandoned call is out its host is not called again, by
// this run or any other (AbandonedCalls).

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/collection.hpp"
#include "core/variant.hpp"
#include "fleet/abandoned_calls.hpp"

namespace qv::fleet {

// The HRESULT of a wait that ran out (ERROR_TIMEOUT as an HRESULT).
inline constexpr int32_t kTimeoutNumber = static_cast<int32_t>(0x800705B4u);

// Raised by a worker when it finishes a host or ends; the caller waits on it.
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
  // Runs work once on a new thread that may outlive the caller. Returns how
  // to ask that thread's outstanding call to give up, where the platform
  // can (empty where it cannot).
  virtual std::function<void()> start(std::function<void()> work) = 0;
  virtual std::shared_ptr<Signal> makeSignal() = 0;
};

// The call for one computer, made on a worker thread. Its result must not
// hold anything tied to that thread; a failure is an AutomationError.
using HostCall = std::function<Variant(const std::string &computer)>;
// Made once by each worker, on its own thread, for all the hosts it takes;
// what the call keeps is released on that thread when the worker ends.
using HostCallMaker = std::function<HostCall()>;

struct RunOptions {
  std::string member;                    // names the call in a timeout's description
  std::chrono::duration<double> bound{}; // per host; zero: no bound
  int parallel = 8;                      // hosts called at once
  std::shared_ptr<AbandonedCalls> abandoned = processAbandonedCalls();
};

// One record per computer, keyed by computer in the given order: "Computer",
// "Ok", "Result", "Number", "Description", "Seconds". A computer named twice
// (in any case) fails with 457 before any call starts. Returns once every
// host has its record and every worker not abandoned has ended.
CollectionPtr runFleet(const std::vector<std::string> &computers, const HostCallMaker &makeCall,
                       const RunOptions &options, Workers &workers);

// Portable workers: detached std::threads and a condition variable.
Workers &standardWorkers();

} // namespace qv::fleet
