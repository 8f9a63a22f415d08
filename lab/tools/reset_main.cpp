// reset.exe of the lab: "reset session <session id> [/server:X]".

#include "lab/model/text.hpp"
#include "lab/tools/session_change.hpp"
#include "lab/tools/tool_support.hpp"

using namespace qv::lab;

int main() {
  std::vector<std::string> args = tool::arguments();
  std::vector<std::string> words;
  for (const auto &arg : args)
    if (!arg.empty() && arg[0] != '/') words.push_back(arg);
  if (words.size() != 2 || !equalsNoCase(words[0], "session")) {
    tool::print(
        "Invalid parameter(s)\r\nRESET SESSION {sessionname | sessionid} [/SERVER:servername] [/V]\r\n");
    return 1;
  }
  return tool::changeSession("reset", words[1], tool::option(args, "server").value_or("localhost"));
}
