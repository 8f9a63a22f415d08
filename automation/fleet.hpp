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

  double timeout() const { return timeout_; }
  // Seconds per host, fractions included; 0: no bound. A refused value
  // leaves the setting as it was.
  void setTimeout(const Variant &seconds);
  int32_t parallel() const { return parallel_; }
  void setParallel(const Variant &hosts); // 1 to 64

  // Run(className, memberName, computers, args...).
  CollectionPtr run(const CallArgs &args);

private:
  std::vector<std::string> computersIn(const Variant &computers) const;

  std::shared_ptr<const Regional> regional_;
  double timeout_ = 30;
  int32_t parallel_ = 8;
  bool running_ = false;
};

} // namespace qv::com
