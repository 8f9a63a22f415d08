// Captures side by side, as a fleet's workers run them: each child inherits
// its own pipe's write end and nothing else, so a capture ends when its own
// child does, whatever another thread's child is doing.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>

#include "platform/command_capture.hpp"
#include "tests/support/checks.hpp"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Close {
  void operator()(HANDLE handle) const { CloseHandle(handle); }
};

std::string childProgram() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path, length);
  folder.resize(folder.find_last_of('\\') + 1);
  // Appended piece by piece: GCC 12 warns falsely on a literal + string here.
  std::string quoted(1, '"');
  quoted.append(folder).append("capture_child.exe").push_back('"');
  return quoted;
}

struct Captured {
  std::string output;
  std::string notice; // the capture's own word: a child that could not start, output cut short
  bool started() const { return !platform::isStartFailureNotice(notice); }
  std::string shown() const { return notice.empty() ? output : output + " [" + notice + "]"; }
};

Captured captureWithNotice(const std::string &commandLine) {
  Captured result;
  result.output = platform::captureCommandOutput(
      commandLine, [&](const std::string &text) { result.notice = text; }, 20s);
  return result;
}

std::string capture(const std::string &commandLine) { return captureWithNotice(commandLine).shown(); }

} // namespace

void checkCapturesSideBySide(Checks &checks) {
  const std::string child = childProgram();

  // A handle the process made inheritable for its own reasons stays out of
  // the child: the list of handles to inherit names the child's pipe only.
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
  if (CreatePipe(&readEnd, &writeEnd, &inheritable, 0)) {
    std::unique_ptr<void, Close> reading(readEnd), writing(writeEnd);
    std::string seen = capture(child + " probe " + std::to_string(reinterpret_cast<uintptr_t>(writeEnd)));
    std::printf("an inheritable pipe of the process, seen by a capture's child: %s\n", seen.c_str());
    checks.expect(seen == "not inherited", "a capture's child inherits no other handle of the process");
  }

  // Slow children start again and again while fast captures run on another
  // thread: a fast capture whose pipe a slow child held would wait for it.
  std::atomic<bool> slowDone{false};
  std::thread slow([&] {
    for (int i = 0; i < 3; ++i)
      capture(child + " sleep 2500");
    slowDone = true;
  });
  // A child the system could not start under load tells nothing about
  // pipes; it is shown, and only the children that ran are judged.
  Clock::duration longest{};
  int fast = 0, wrong = 0, shown = 0;
  while (!slowDone) {
    const auto began = Clock::now();
    const Captured seen = captureWithNotice(child + " print fast");
    if (seen.shown() != "fast" && ++shown <= 3)
      std::printf("a fast capture returned \"%s\"\n", seen.shown().c_str());
    if (!seen.started()) continue;
    if (seen.shown() != "fast") ++wrong;
    longest = std::max(longest, Clock::now() - began);
    ++fast;
  }
  slow.join();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(longest).count();
  std::printf("%d fast captures beside 3 slow ones, %d wrong: the longest took %lld ms\n", fast, wrong,
              static_cast<long long>(ms));
  checks.expect(fast > 4 && wrong == 0 && longest < 2000ms,
                "each fast capture returns when its own child ends, not with a slow one's");
}

} // namespace qv::comcheck
