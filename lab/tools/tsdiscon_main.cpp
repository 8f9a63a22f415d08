// tsdiscon.exe of the lab: "tsdiscon <session id> [/server:X]".

#include "lab/tools/session_change.hpp"
#include "lab/tools/tool_support.hpp"

using namespace qv::lab;

int main() {
  std::vector<std::string> args = tool::arguments();
  std::string id;
  for (const auto &arg : args)
    if (!arg.empty() && arg[0] != '/') id = arg;
  if (id.empty()) {
    tool::print("Invalid parameter(s)\r\nTSDISCON [sessionid | sessionname] [/SERVER:servername] [/V]\r\n");
    return 1;
  }
  return tool::changeSession("disconnect", id, tool::option(args, "server").value_or("localhost"));
}
