#pragma once
// The command interpreter that reaches this host's own tools.
//
// A 32-bit process on 64-bit Windows (WOW64) that starts "cmd.exe" gets the
// 32-bit interpreter, whose System32 is redirected to SysWOW64; tools that
// exist only as 64-bit programs in System32 (the terminal-session tools
// among them) are then not found. Such a process reaches the real System32
// through the alias folder Sysnative of the Windows folder. The folder is
// found at run time: process creation does not expand %windir%.

#include <functional>
#include <string>
#include <string_view>

namespace qv::platform {

// "cmd.exe", or under WOW64 <windowsFolder>\Sysnative\cmd.exe when that file
// exists (a trailing backslash of the folder is not doubled; a path with a
// blank is quoted for the command line). fileExists is asked only under
// WOW64 with a folder.
std::string commandInterpreter(bool underWow64, std::string_view windowsFolder,
                               const std::function<bool(const std::string &)> &fileExists);

} // namespace qv::platform
