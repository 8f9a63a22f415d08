#include "terminal/session_arguments.hpp"

#include "core/automation_error.hpp"

namespace qv {
namespace {

bool isAlphanumeric(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool onlyOf(std::string_view text, std::string_view punctuation) {
  if (text.empty()) return false;
  for (char c : text)
    if (!isAlphanumeric(c) && punctuation.find(c) == std::string_view::npos) return false;
  return true;
}

} // namespace

void requireServerName(std::string_view server) {
  if (!onlyOf(server, "-._:")) throw runtimeError(kInvalidCall, "invalid server name");
}

void requireSessionId(std::string_view id) {
  if (!onlyOf(id, "#-_")) throw runtimeError(kInvalidCall, "invalid session id");
}

} // namespace qv
