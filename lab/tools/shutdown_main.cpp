// shutdown.exe of the lab: records the request (the program name and the
// arguments as given) in the lab's folder instead of shutting anything down.

#include <windows.h>

#include <cstdio>

#include "lab/tools/tool_support.hpp"
#include "platform/win32/bstr.hpp"

using namespace qv::lab;

namespace {

// The command line after the program's own name.
std::wstring argumentText(const wchar_t *line) {
  const wchar_t *p = line;
  if (*p == L'"') {
    ++p;
    while (*p && *p != L'"')
      ++p;
    if (*p) ++p;
  } else {
    while (*p && *p != L' ' && *p != L'\t')
      ++p;
  }
  while (*p == L' ' || *p == L'\t')
    ++p;
  return p;
}

} // namespace

int main() {
  std::wstring home = tool::labHome();
  if (home.empty()) {
    std::fprintf(stderr, "The lab is not registered in this prefix.\n");
    return 2;
  }
  std::wstring args = argumentText(GetCommandLineW());
  tool::appendToFile(home + L"\\shutdown-requests.txt",
                     "shutdown.exe " + qv::win32::fromWide(args.c_str(), args.size()) + "\r\n");
  return 0;
}
