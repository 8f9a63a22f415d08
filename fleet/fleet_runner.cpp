#include "fleet/fleet_runner.hpp"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <mutex>
#include <optional>
#include <unordered_set>

#include "core/automation_error.hpp"

namespace qv::fleet {
namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
  Variant result;
  std::optional<AutomationError> error;
  double seconds = 0;
};

// What the caller and its workers share; a late worker keeps it alive after
// the caller has returned.
struct Shared {
  explicit Shared(std::size_t hosts, std::shared_ptr<Signal> signal)
      : outcomes(hosts), finished(hosts, false), signal(std::move(signal)) {}
  std::mutex lock;
  std::vector<Outcome> outcomes;
  std::vector<bool> finished; // guarded by lock; set by the worker or by the bound
  std::shared_ptr<Signal> signal;
};

std::string formatSeconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", seconds);
  return text;
}

void refuseDuplicates(const std::vector<std::string> &computers) {
  std::unordered_set<std::string> seen;
  for (const auto &computer : computers) {
    if (!seen.insert(foldKey(computer)).second) {
      throw runtimeError(kDuplicateKey, "Run: " + computer + " is named more than once");
    }
  }
}

void work(const std::shared_ptr<Shared> &shared, std::size_t index, const std::string &computer,
          const HostCall &call) {
  Clock::time_point began = Clock::now();
  Outcome outcome;
  try {
    outcome.result = call(computer);
  } catch (const AutomationError &error) {
    outcome.error = error;
  } catch (const std::exception &error) {
    outcome.error = AutomationError(static_cast<int32_t>(0x8000FFFFu), kSource, error.what());
  }
  outcome.seconds = std::chrono::duration<double>(Clock::now() - began).count();
  {
    std::lock_guard guard(shared->lock);
    // Past its bound the caller has written the record already.
    if (!shared->finished[index]) {
      shared->finished[index] = true;
      shared->outcomes[index] = std::move(outcome);
      outcome = {};
    }
  }
  shared->signal->raise();
  // A dropped result is destroyed here, on the worker's own thread.
}

Variant record(const std::string &computer, Outcome &outcome) {
  CollectionPtr fields = newRecord();
  fields->add(Variant(computer), "Computer");
  fields->add(Variant(!outcome.error.has_value()), "Ok");
  fields->add(outcome.error ? Variant() : std::move(outcome.result), "Result");
  fields->add(Variant(outcome.error ? outcome.error->number() : 0), "Number");
  fields->add(Variant(outcome.error ? outcome.error->description() : std::string()), "Description");
  fields->add(Variant(outcome.seconds), "Seconds");
  return Variant(std::move(fields));
}

} // namespace

CollectionPtr runFleet(const std::vector<std::string> &computers, const HostCall &call,
                       const RunOptions &options, Workers &workers) {
  refuseDuplicates(computers);
  auto shared = std::make_shared<Shared>(computers.size(), workers.makeSignal());
  const bool bounded = options.bound.count() > 0;
  const auto bound = std::chrono::duration_cast<Clock::duration>(options.bound);
  const std::size_t parallel = static_cast<std::size_t>(std::max(options.parallel, 1));

  struct Running {
    std::size_t index;
    Clock::time_point began;
  };
  std::vector<Running> running;
  std::size_t next = 0;
  while (next < computers.size() || !running.empty()) {
    while (running.size() < parallel && next < computers.size()) {
      std::size_t index = next++;
      running.push_back({index, Clock::now()});
      // The worker owns copies of what it reads: it may outlive this call.
      workers.start(
          [shared, index, computer = computers[index], call] { work(shared, index, computer, call); });
    }
    Clock::time_point now = Clock::now();
    {
      std::lock_guard guard(shared->lock);
      std::erase_if(running, [&](const Running &host) {
        if (shared->finished[host.index]) return true;
        if (!bounded || now - host.began < bound) return false;
        shared->finished[host.index] = true;
        Outcome &outcome = shared->outcomes[host.index];
        outcome.seconds = std::chrono::duration<double>(now - host.began).count();
        outcome.error =
            AutomationError(kTimeoutNumber, kSource,
                            options.member + " on " + computers[host.index] + " did not answer within " +
                                formatSeconds(options.bound.count()) + " s");
        return true;
      });
    }
    if (running.empty() || (running.size() < parallel && next < computers.size())) continue;
    // Wake at the nearest bound; unbounded waits still wake now and then so
    // a missed raise cannot stall the call.
    auto wait = std::chrono::milliseconds(250);
    if (bounded) {
      auto nearest = std::min_element(running.begin(), running.end(),
                                      [](const Running &a, const Running &b) { return a.began < b.began; })
                         ->began +
                     bound;
      auto left = std::chrono::ceil<std::chrono::milliseconds>(nearest - Clock::now());
      wait = std::clamp(left, std::chrono::milliseconds(0), wait);
    }
    shared->signal->waitFor(wait);
  }

  auto results = std::make_shared<Collection>();
  std::lock_guard guard(shared->lock);
  for (std::size_t index = 0; index < computers.size(); ++index) {
    results->add(record(computers[index], shared->outcomes[index]), computers[index]);
  }
  return results;
}

} // namespace qv::fleet
