#include <condition_variable>
#include <mutex>
#include <thread>

#include "fleet/fleet_runner.hpp"

namespace qv::fleet {
namespace {

class ConditionSignal final : public Signal {
public:
  void raise() override {
    {
      std::lock_guard guard(lock_);
      raised_ = true;
    }
    changed_.notify_all();
  }
  void waitFor(std::chrono::milliseconds timeout) override {
    std::unique_lock guard(lock_);
    changed_.wait_for(guard, timeout, [this] { return raised_; });
    raised_ = false;
  }

private:
  std::mutex lock_;
  std::condition_variable changed_;
  bool raised_ = false;
};

class StandardWorkers final : public Workers {
public:
  std::function<void()> start(std::function<void()> work) override {
    std::thread(std::move(work)).detach();
    return {};
  }
  std::shared_ptr<Signal> makeSignal() override { return std::make_shared<ConditionSignal>(); }
};

} // namespace

Workers &standardWorkers() {
  static StandardWorkers workers;
  return workers;
}

} // namespace qv::fleet
