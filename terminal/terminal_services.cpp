#include "terminal/terminal_services.hpp"

#include <utility>

#include "core/automation_error.hpp"
#include "core/handlers.hpp"
#include "terminal/logon_users_parser.hpp"
#include "terminal/session_arguments.hpp"

namespace qv {
namespace {

CollectionPtr sessionRecord(SessionLine &session) {
  auto record = newRecord();
  record->add(std::move(session.username), "username");
  record->add(std::move(session.sessionid), "sessionid");
  record->add(std::move(session.id), "id");
  record->add(std::move(session.state), "state");
  record->add(std::move(session.idletime), "idletime");
  record->add(std::move(session.logontime), "logontime");
  return record;
}

} // namespace

TerminalServices::TerminalServices(Platform platform) : platform_(std::move(platform)) {}

CollectionPtr TerminalServices::getLogonUsers(const std::string &trmServer) {
  return reportAndFail("Unable to get Terminal server users", [&] {
    requireServerName(trmServer);
    auto sessions = parseLogonUsers(getCommandOutput(toolCommand("query user /server:" + trmServer)));
    // No line end at all: there is no table to read, not even a header.
    if (!sessions) throwRuntimeError(kSubscriptOutOfRange);
    auto result = std::make_shared<Collection>();
    for (auto &session : *sessions)
      result->add(sessionRecord(session), std::to_string(session.lineNumber));
    return result;
  });
}

std::string TerminalServices::changeUserStatus(const std::string &status, const std::string &trmServer,
                                               const std::string &id) {
  return reportAndFail("Unable to change user status on terminal server " + trmServer, [&] {
    std::string commandLine;
    if (status == "disconnect" || status == "reset") {
      requireServerName(trmServer);
      requireSessionId(id);
      commandLine = toolCommand((status == "disconnect" ? "tsdiscon " : "reset session ") + id +
                                " /server:" + trmServer);
    }
    return getCommandOutput(commandLine);
  });
}

std::string TerminalServices::toolCommand(const std::string &tool) {
  if (!platform_.system) throwRuntimeError(kObjectNotSet);
  return platform_.system->commandInterpreter() + " /C " + tool;
}

std::string TerminalServices::getCommandOutput(const std::string &commandLine) {
  return noHandler([&] {
    if (!platform_.system) throwRuntimeError(kObjectNotSet);
    return platform_.system->captureCommandOutput(commandLine);
  });
}

} // namespace qv
