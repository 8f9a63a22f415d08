#pragma once
// Quorvane.Fleet: one member of another class run on many computers at
// once, each within a time bound.

#include <memory>
#include <string>
#include <vector>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::com {

class CallArgs;

class Fleet {
public:
  explicit Fleet(const Platform &platform) : regional_(platform.regional) {}

  int32_t timeout() const { return timeout_; }
  void setTimeout(int32_t seconds); // 0: no bound
  int32_t parallel() const { return parallel_; }
  void setParallel(int32_t hosts); // 1 to 64

  // Run(className, memberName, computers, args...).
  CollectionPtr run(const CallArgs &args);

private:
  std::vector<std::string> computersIn(const Variant &computers) const;

  std::shared_ptr<const Regional> regional_;
  int32_t timeout_ = 30;
  int32_t parallel_ = 8;
  bool running_ = false;
};

} // namespace qv::com
