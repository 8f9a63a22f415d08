#pragma once
// Disconnecting or resetting a session of a lab computer: checked against
// the sessions as they are now, then recorded in the lab's journal.

#include <string>

namespace qv::lab::tool {

// action: "disconnect" or "reset". Prints what the tool prints; returns the
// exit code.
int changeSession(const std::string &action, const std::string &id, const std::string &server);

} // namespace qv::lab::tool
