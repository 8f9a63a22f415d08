#include "fleet/fleet_runner.hpp"

#include <algorithm>
#include <exception>
#include <mutex>
#include <optional>
#include <unordered_set>

#include "core/automation_error.hpp"
#include "fleet/fleet_settings.hpp"

namespace qv::fleet {
namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
  Variant result;
  std::optional<AutomationError> error;
  double seconds = 0;
};

struct WorkerSlot {
  std::optional<std::size_t> host; // the host it is calling
  Clock::time_point began;
  bool abandoned = false;
  bool ended = false;
  std::function<void()> cancel; // asks the thread's outstanding call to give up
};

// What the caller and its workers share; a late worker keeps it alive after
// the caller has returned. Everything but the names is guarded by lock.
struct Shared {
  Shared(const std::vector<std::string> &computers, const RunOptions &options, std::shared_ptr<Signal> signal)
      : computers(computers), member(options.member), abandoned(options.abandoned), signal(std::move(signal)),
        outcomes(computers.size()), done(computers.size(), false) {
    keys.reserve(computers.size());
    for (const auto &computer : computers)
      keys.push_back(foldKey(computer));
  }
  const std::vector<std::string> computers;
  std::vector<std::string> keys;
  const std::string member;
  const std::shared_ptr<AbandonedCalls> abandoned;
  const std::shared_ptr<Signal> signal;

  std::mutex lock;
  std::vector<Outcome> outcomes;
  std::vector<bool> done;
  std::vector<std::size_t> queue; // hosts to call, in order
  std::size_t next = 0;           // the first of queue not yet taken
  std::vector<WorkerSlot> slots;
};

void refuseDuplicates(const std::vector<std::string> &computers) {
  std::unordered_set<std::string> seen;
  for (const auto &computer : computers) {
    if (!seen.insert(foldKey(computer)).second) {
      throw runtimeError(kDuplicateKey, "Run: " + computer + " is named more than once");
    }
  }
}

// Under the lock: fails the host at once when an abandoned call keeps it
// from being called.
bool refusedAtOnce(Shared &shared, std::size_t index) {
  std::optional<std::string> why = shared.abandoned->refusal(shared.keys[index]);
  if (!why) return false;
  Outcome &outcome = shared.outcomes[index];
  outcome.error = AutomationError(
      kTimeoutNumber, kSource, shared.member + " on " + shared.computers[index] + " was not called: " + *why);
  shared.done[index] = true;
  return true;
}

// Under the lock: the next host for a worker, or none.
std::optional<std::size_t> takeHost(Shared &shared) {
  while (shared.next < shared.queue.size()) {
    std::size_t index = shared.queue[shared.next++];
    if (!refusedAtOnce(shared, index)) return index;
  }
  return std::nullopt;
}

Outcome callOne(const HostCall &call, const std::string &computer) {
  Clock::time_point began = Clock::now();
  Outcome outcome;
  try {
    if (!call) throw runtimeError(kObjectNotSet);
    outcome.result = call(computer);
  } catch (const AutomationError &error) {
    outcome.error = error;
  } catch (const std::exception &error) {
    outcome.error = AutomationError(static_cast<int32_t>(0x8000FFFFu), kSource, error.what());
  }
  outcome.seconds = std::chrono::duration<double>(Clock::now() - began).count();
  return outcome;
}

void work(const std::shared_ptr<Shared> &shared, std::size_t slot, const HostCallMaker &makeCall) {
  HostCall call;
  try {
    call = makeCall();
  } catch (...) {
    // Every host this worker takes then fails as a call without an object.
  }
  for (;;) {
    std::size_t index = 0;
    {
      std::lock_guard guard(shared->lock);
      std::optional<std::size_t> host = takeHost(*shared);
      WorkerSlot &self = shared->slots[slot];
      if (!host) {
        self.ended = true;
        break;
      }
      index = *host;
      self.host = index;
      self.began = Clock::now();
    }
    Outcome outcome = callOne(call, shared->computers[index]);
    bool abandoned = false;
    {
      std::lock_guard guard(shared->lock);
      WorkerSlot &self = shared->slots[slot];
      self.host.reset();
      abandoned = self.abandoned;
      if (abandoned) {
        // Past its bound the caller has written the record already.
        shared->abandoned->returned(shared->keys[index]);
        self.ended = true;
      } else {
        shared->outcomes[index] = std::move(outcome);
        shared->done[index] = true;
      }
    }
    shared->signal->raise();
    // A dropped result is destroyed here, on the worker's own thread.
    if (abandoned) return;
  }
  shared->signal->raise();
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

CollectionPtr runFleet(const std::vector<std::string> &computers, const HostCallMaker &makeCall,
                       const RunOptions &options, Workers &workers) {
  refuseDuplicates(computers);
  auto shared = std::make_shared<Shared>(computers, options, workers.makeSignal());
  const bool bounded = options.bound.count() > 0;
  const auto bound = std::chrono::duration_cast<Clock::duration>(options.bound);
  const std::size_t parallel = static_cast<std::size_t>(std::max(options.parallel, 1));
  {
    // Hosts an abandoned call keeps out fail here, without a thread.
    std::lock_guard guard(shared->lock);
    for (std::size_t index = 0; index < computers.size(); ++index)
      if (!refusedAtOnce(*shared, index)) shared->queue.push_back(index);
  }

  for (;;) {
    std::size_t firstNew = 0, toStart = 0;
    std::optional<Clock::time_point> nearest;
    std::vector<std::function<void()>> cancels;
    {
      std::lock_guard guard(shared->lock);
      const Clock::time_point now = Clock::now();
      std::size_t live = 0, busy = 0;
      for (WorkerSlot &slot : shared->slots) {
        if (slot.abandoned || slot.ended) continue;
        if (slot.host && bounded && now - slot.began >= bound) {
          const std::size_t index = *slot.host;
          slot.abandoned = true;
          Outcome &outcome = shared->outcomes[index];
          outcome.seconds = std::chrono::duration<double>(now - slot.began).count();
          outcome.error =
              AutomationError(kTimeoutNumber, kSource,
                              options.member + " on " + computers[index] + " did not answer within " +
                                  secondsText(options.bound.count()) + " s");
          shared->done[index] = true;
          shared->abandoned->abandon(shared->keys[index]);
          if (slot.cancel) cancels.push_back(std::move(slot.cancel));
          continue;
        }
        ++live;
        if (slot.host) ++busy;
        // A worker about to take a host begins it no earlier than now.
        const Clock::time_point due = (slot.host ? slot.began : now) + bound;
        if (bounded && (!nearest || due < *nearest)) nearest = due;
      }
      const std::size_t untaken = shared->queue.size() - shared->next;
      if (untaken == 0 && live == 0) break;
      // A worker for every host waiting, up to parallel; an abandoned one
      // is replaced only while hosts are left.
      const std::size_t wanted = std::min(parallel, untaken + busy);
      if (untaken > 0 && wanted > live) {
        firstNew = shared->slots.size();
        toStart = wanted - live;
        shared->slots.resize(firstNew + toStart);
      }
    }
    for (auto &cancel : cancels)
      cancel();
    for (std::size_t slot = firstNew; slot < firstNew + toStart; ++slot) {
      try {
        // The worker owns copies of what it reads: it may outlive this call.
        auto cancel = workers.start([shared, slot, makeCall] { work(shared, slot, makeCall); });
        std::lock_guard guard(shared->lock);
        shared->slots[slot].cancel = std::move(cancel);
      } catch (...) {
        std::lock_guard guard(shared->lock);
        for (std::size_t unstarted = slot; unstarted < firstNew + toStart; ++unstarted)
          shared->slots[unstarted].ended = true;
        throw;
      }
    }
    if (toStart > 0) continue;
    // Wake at the nearest bound; unbounded waits still wake now and then so
    // a missed raise cannot stall the call.
    auto wait = std::chrono::milliseconds(250);
    if (nearest) {
      auto left = std::chrono::ceil<std::chrono::milliseconds>(*nearest - Clock::now());
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
