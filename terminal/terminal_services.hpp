#pragma once
// Class TerminalServices: the user sessions of a terminal server, listed,
// disconnected or reset through the host's command-line tools.

#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

class TerminalServices {
public:
  explicit TerminalServices(Platform platform);

  // The sessions of trmServer as records ("username", "sessionid", "id",
  // "state", "idletime", "logontime", all text), each under its line number
  // in the tool's output ("1" is the first line after the header; lines that
  // are no session leave gaps). Fails with "Unable to get Terminal server
  // users" when the output has no line end (the tool could not start) or
  // trmServer is no host name.
  CollectionPtr getLogonUsers(const std::string &trmServer);

  // status "disconnect" or "reset" (exact case) acts on session id of
  // trmServer; any other status runs the empty command line, which cannot
  // start, and returns its output. The tool's output is returned unread: its
  // own error messages are text, not failures. Fails with "Unable to change
  // user status on terminal server " + trmServer when trmServer or id is
  // rejected (nothing runs then).
  std::string changeUserStatus(const std::string &status, const std::string &trmServer,
                               const std::string &id);

private:
  // The command line that runs tool through the interpreter that reaches
  // this host's own tools (the native one under WOW64).
  std::string toolCommand(const std::string &tool);
  // The output of one command line run hidden on this host ("" when it
  // could not start).
  std::string getCommandOutput(const std::string &commandLine);

  Platform platform_;
};

} // namespace qv
