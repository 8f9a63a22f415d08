#include "core/handlers.hpp"

namespace qv {

void raiseError(std::string_view message, const AutomationError &pending) {
  std::string description;
  description.reserve(message.size() + 2 + pending.description().size());
  description.append(message).append(": ").append(pending.description());
  throw AutomationError(pending.number(), pending.source(), std::move(description));
}

} // namespace qv
