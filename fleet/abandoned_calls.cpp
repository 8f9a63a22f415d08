#include "fleet/abandoned_calls.hpp"

namespace qv::fleet {

std::optional<std::string> AbandonedCalls::refusal(const std::string &key) const {
  std::lock_guard guard(lock_);
  if (hosts_.contains(key)) return "an earlier call to it has not come back";
  if (total_ >= most_)
    return std::to_string(total_) + " calls to hosts that did not answer have not come back";
  return std::nullopt;
}

void AbandonedCalls::abandon(const std::string &key) {
  std::lock_guard guard(lock_);
  ++hosts_[key];
  ++total_;
}

void AbandonedCalls::returned(const std::string &key) {
  std::lock_guard guard(lock_);
  auto host = hosts_.find(key);
  if (host == hosts_.end()) return;
  if (--host->second == 0) hosts_.erase(host);
  --total_;
}

std::size_t AbandonedCalls::outstanding() const {
  std::lock_guard guard(lock_);
  return total_;
}

const std::shared_ptr<AbandonedCalls> &processAbandonedCalls() {
  static const auto calls = std::make_shared<AbandonedCalls>();
  return calls;
}

} // namespace qv::fleet
