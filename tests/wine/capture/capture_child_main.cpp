// The child the capture checks run (capture_child.exe):
//   capture_child.exe print <text>      prints text and ends
//   capture_child.exe sleep <ms>        ends after ms, printing nothing
//   capture_child.exe probe <handle>    prints "inherited" when the handle
//                                       value names a pipe in this process

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int argc, char **argv) {
  if (argc < 3) return 2;
  if (std::strcmp(argv[1], "print") == 0) {
    std::fputs(argv[2], stdout);
    return 0;
  }
  if (std::strcmp(argv[1], "sleep") == 0) {
    Sleep(static_cast<DWORD>(std::atol(argv[2])));
    return 0;
  }
  if (std::strcmp(argv[1], "probe") == 0) {
    // The handle's value comes as text from the parent.
    auto handle = reinterpret_cast<HANDLE>( // NOLINT(performance-no-int-to-ptr)
        static_cast<uintptr_t>(std::strtoull(argv[2], nullptr, 10)));
    DWORD flags = 0;
    bool held = handle != GetStdHandle(STD_OUTPUT_HANDLE) && GetHandleInformation(handle, &flags) &&
                GetFileType(handle) == FILE_TYPE_PIPE;
    std::fputs(held ? "inherited" : "not inherited", stdout);
    return 0;
  }
  return 2;
}
