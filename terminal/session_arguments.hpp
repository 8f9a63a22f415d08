#pragma once
// Checks of the texts that go into the terminal tools' command lines. The
// command interpreter would read "&", "|", ">", quotes and the like as its
// own syntax, so only the characters of a name are let through.

#include <string_view>

namespace qv {

// A host name or IP address: ASCII letters, digits, "-", ".", "_" and ":"
// (IPv6), not empty. Otherwise raises 5 "invalid server name".
void requireServerName(std::string_view server);

// A session number or session name: ASCII letters, digits, "#", "-" and
// "_", not empty (an empty id would act on the caller's own session).
// Otherwise raises 5 "invalid session id".
void requireSessionId(std::string_view id);

} // namespace qv
