#pragma once
// Calls that passed their bound and were left to finish on their own, for
// the whole process: while one is out, its host is not called again, and
// past a cap no host is called at all. A host that hangs then costs one
// thread however often a page polls it, and many dead hosts cost a bounded
// number.

#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

namespace qv::fleet {

// Abandoned calls a process keeps out before every host fails at once.
inline constexpr std::size_t kMostAbandonedCalls = 64;

class AbandonedCalls {
public:
  explicit AbandonedCalls(std::size_t most = kMostAbandonedCalls) : most_(most) {}

  // Why the host with this folded key is not to be called now, or none.
  std::optional<std::string> refusal(const std::string &key) const;
  void abandon(const std::string &key);
  // The abandoned call to this host has come back.
  void returned(const std::string &key);
  std::size_t outstanding() const;

private:
  mutable std::mutex lock_;
  std::unordered_map<std::string, std::size_t> hosts_;
  std::size_t total_ = 0;
  std::size_t most_;
};

// The process's own; shared so that a late worker keeps it alive.
const std::shared_ptr<AbandonedCalls> &processAbandonedCalls();

} // namespace qv::fleet
