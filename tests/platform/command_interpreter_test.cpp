// The interpreter a terminal command starts with: the native one through
// Sysnative only where a 32-bit process on 64-bit Windows needs it and has it.

#include "platform/command_interpreter.hpp"

#include <gtest/gtest.h>

#include <set>
#include <tuple>
#include <vector>

namespace qv::platform {
namespace {

TEST(CommandInterpreter, NativeInterpreterThroughSysnativeOnlyUnderWow64WhereItExists) {
  // WOW64, Windows folder, the files that exist, the interpreter, the files asked about.
  using Files = std::set<std::string>;
  using Asked = std::vector<std::string>;
  const std::string native = "C:\\Windows\\Sysnative\\cmd.exe", spaced = "C:\\My Windows\\Sysnative\\cmd.exe";
  const std::tuple<bool, const char *, Files, std::string, Asked> cases[] = {
      {false, "C:\\Windows", {native}, "cmd.exe", {}},
      {true, "C:\\Windows", {native}, native, {native}},
      {true, "C:\\Windows\\", {native}, native, {native}},
      {true, "", {"\\Sysnative\\cmd.exe"}, "cmd.exe", {}},
      // Slashes, and no Sysnative (XP without the update).
      {true, "C:/Windows/", {}, "cmd.exe", {"C:/Windows\\Sysnative\\cmd.exe"}},
      {true, "C:\\My Windows", {spaced}, "\"" + spaced + "\"", {spaced}},
  };
  for (const auto &[wow64, folder, files, expected, expectedAsked] : cases) {
    Asked asked;
    const auto exists = [&, &f = files](const std::string &path) {
      asked.push_back(path);
      return f.contains(path);
    };
    EXPECT_EQ(commandInterpreter(wow64, folder, exists), expected) << wow64 << " " << folder;
    EXPECT_EQ(asked, expectedAsked) << folder;
  }
}

} // namespace
} // namespace qv::platform
