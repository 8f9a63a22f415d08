// Command capture on Windows: an anonymous pipe, a hidden CreateProcessA
// child inside a job object (so whatever it starts can be ended with it),
// and the pipe polled and read to its end. Captures may run on several
// threads at once (a fleet's workers): each child inherits its own pipe's
// write end and nothing else, or a child of one capture would hold another
// capture's pipe open until it ended.

#include "platform/command_capture.hpp"
#include "platform/capped_output.hpp"
#include "platform/win32/handle.hpp"

#include <windows.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace qv::platform {
namespace {

using Clock = std::chrono::steady_clock;

DWORD waitMilliseconds(Clock::duration remaining) {
  auto ms = std::chrono::ceil<std::chrono::milliseconds>(remaining).count();
  return static_cast<DWORD>(std::clamp<std::int64_t>(ms, 0, INFINITE - 1));
}

void appendAnsi(std::string &text, const char *bytes, int size) {
  int wide = ::MultiByteToWideChar(CP_ACP, 0, bytes, size, nullptr, 0);
  if (wide <= 0) return;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  ::MultiByteToWideChar(CP_ACP, 0, bytes, size, buffer.data(), wide);
  int utf8 = ::WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, nullptr, 0, nullptr, nullptr);
  if (utf8 <= 0) return;
  std::size_t start = text.size();
  text.resize(start + static_cast<std::size_t>(utf8));
  ::WideCharToMultiByte(CP_UTF8, 0, buffer.data(), wide, text.data() + start, utf8, nullptr, nullptr);
}

// The collected bytes, text of the system's ANSI code page, as UTF-8. Decoded
// as a whole so a double-byte character is never split; outputs beyond the
// conversion calls' int range go in pieces cut at character boundaries.
std::string decodeOutput(const std::string &bytes) {
  constexpr std::size_t kPiece = std::size_t(1) << 30;
  std::string text;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = std::min(bytes.size(), start + kPiece);
    if (end < bytes.size()) {
      std::size_t at = start;
      while (at < end) {
        std::size_t step = ::IsDBCSLeadByteEx(CP_ACP, static_cast<BYTE>(bytes[at])) ? 2 : 1;
        if (at + step > end) break;
        at += step;
      }
      end = at;
    }
    appendAnsi(text, bytes.data() + start, static_cast<int>(end - start));
    start = end;
  }
  return text;
}

// The command line (UTF-8, as all text here) in the ANSI code page, in a
// buffer CreateProcessA may write into. A character the code page cannot
// hold would become "?" or a look-alike and run another command than the
// one asked for: then the result is an error code instead.
DWORD toAnsiCommandLine(const std::string &commandLine, std::vector<char> &ansi) {
  ansi.clear();
  // An embedded NUL would silently cut the command short.
  if (commandLine.find('\0') != std::string::npos || commandLine.size() > static_cast<std::size_t>(INT_MAX))
    return ERROR_INVALID_PARAMETER;
  if (::GetACP() == CP_UTF8 || commandLine.empty()) {
    ansi.assign(commandLine.begin(), commandLine.end());
    ansi.push_back('\0');
    return ERROR_SUCCESS;
  }
  const int size = static_cast<int>(commandLine.size());
  int wide = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, commandLine.data(), size, nullptr, 0);
  if (wide <= 0) return ERROR_NO_UNICODE_TRANSLATION;
  std::vector<wchar_t> buffer(static_cast<std::size_t>(wide));
  ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, commandLine.data(), size, buffer.data(), wide);
  BOOL lossy = FALSE;
  int bytes =
      ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, buffer.data(), wide, nullptr, 0, nullptr, &lossy);
  if (bytes <= 0 || lossy) return ERROR_NO_UNICODE_TRANSLATION;
  ansi.resize(static_cast<std::size_t>(bytes) + 1);
  ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, buffer.data(), wide, ansi.data(), bytes, nullptr,
                        nullptr);
  ansi.back() = '\0';
  return ERROR_SUCCESS;
}

// The attribute list that names the one handle a child inherits.
class InheritedHandles {
public:
  explicit InheritedHandles(HANDLE *handle) {
    SIZE_T size = 0;
    ::InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    storage_.resize(size);
    auto *list = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data());
    if (size == 0 || !::InitializeProcThreadAttributeList(list, 1, 0, &size)) return;
    initialised_ = true;
    if (::UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handle, sizeof(HANDLE),
                                    nullptr, nullptr))
      list_ = list;
  }
  InheritedHandles(const InheritedHandles &) = delete;
  InheritedHandles &operator=(const InheritedHandles &) = delete;
  ~InheritedHandles() {
    if (initialised_)
      ::DeleteProcThreadAttributeList(reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(storage_.data()));
  }
  // Null when the system could not make the list.
  LPPROC_THREAD_ATTRIBUTE_LIST get() const { return list_; }

private:
  std::vector<unsigned char> storage_;
  bool initialised_ = false;
  LPPROC_THREAD_ATTRIBUTE_LIST list_ = nullptr;
};

// Held while an inheritable handle of a capture exists: a child that
// another capture starts meanwhile would inherit it where the system does
// not honour the attribute list.
std::mutex &inheritableHandlesLock() {
  static std::mutex lock;
  return lock;
}

} // namespace

std::string captureCommandOutput(const std::string &commandLine,
                                 const std::function<void(const std::string &)> &notice,
                                 std::chrono::milliseconds limit,
                                 const std::function<void(std::size_t)> &onRead) {
  auto tell = [&](const std::string &text) {
    if (notice) notice(text);
  };
  limit = std::clamp<std::chrono::milliseconds>(limit, std::chrono::milliseconds(0),
                                                std::chrono::hours(24 * 365));
  const auto deadline = Clock::now() + limit;

  Handle readEnd, writeEnd;
  // Neither end is inheritable: the child gets a copy of the write end of
  // its own, made just before it starts.
  if (!::CreatePipe(readEnd.receive(), writeEnd.receive(), nullptr, static_cast<DWORD>(kCaptureReadSize))) {
    tell(startFailureNotice(StartFailure::Pipe, ::GetLastError()));
    return {};
  }

  std::vector<char> command;
  if (DWORD invalid = toAnsiCommandLine(commandLine, command); invalid != ERROR_SUCCESS) {
    tell(startFailureNotice(StartFailure::Process, invalid));
    return {};
  }
  PROCESS_INFORMATION created{};
  {
    std::lock_guard guard(inheritableHandlesLock());
    Handle childEnd;
    HANDLE self = ::GetCurrentProcess();
    if (!::DuplicateHandle(self, writeEnd.get(), self, childEnd.receive(), 0, TRUE, DUPLICATE_SAME_ACCESS)) {
      tell(startFailureNotice(StartFailure::Pipe, ::GetLastError()));
      return {};
    }
    HANDLE inherited = childEnd.get();
    InheritedHandles handles(&inherited);
    STARTUPINFOEXA startup{};
    startup.StartupInfo.cb = sizeof(STARTUPINFOEXA);
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES | STARTF_USESHOWWINDOW;
    startup.StartupInfo.wShowWindow = SW_HIDE;
    startup.StartupInfo.hStdInput = nullptr;
    startup.StartupInfo.hStdOutput = inherited;
    startup.StartupInfo.hStdError = inherited;
    startup.lpAttributeList = handles.get();
    DWORD flags = NORMAL_PRIORITY_CLASS | CREATE_SUSPENDED;
    if (handles.get()) flags |= EXTENDED_STARTUPINFO_PRESENT;
    // Suspended until it is in the job, so nothing it starts escapes.
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr,
                          &startup.StartupInfo, &created)) {
      tell(startFailureNotice(StartFailure::Process, ::GetLastError()));
      return {};
    }
  }
  Handle process(created.hProcess);
  Handle thread(created.hThread);

  // Closing the job's last handle ends whatever the command left running.
  Handle job(::CreateJobObjectA(nullptr, nullptr));
  if (job) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    // A host inside a job that forbids nesting keeps the child outside one;
    // then only the child itself can be ended.
    if (!::SetInformationJobObject(job.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !::AssignProcessToJobObject(job.get(), process.get()))
      job.reset();
  }
  if (::ResumeThread(thread.get()) == static_cast<DWORD>(-1)) {
    DWORD code = ::GetLastError();
    ::TerminateProcess(process.get(), 1);
    tell(startFailureNotice(StartFailure::Process, code));
    return {};
  }
  writeEnd.reset();

  CappedOutput output;
  bool timedOut = false;
  bool childExited = false;
  std::vector<char> buffer(kCaptureReadSize);
  DWORD pause = 1;
  for (;;) {
    DWORD available = 0;
    // Fails with ERROR_BROKEN_PIPE once every write end is closed and the
    // pipe is drained.
    if (!::PeekNamedPipe(readEnd.get(), nullptr, 0, nullptr, &available, nullptr)) break;
    if (available > 0) {
      DWORD count = 0;
      if (!::ReadFile(readEnd.get(), buffer.data(),
                      std::min<DWORD>(available, static_cast<DWORD>(buffer.size())), &count, nullptr))
        break;
      output.append(buffer.data(), count);
      if (onRead && count > 0) onRead(count);
      pause = 1;
      continue;
    }
    auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero()) {
      timedOut = true;
      break;
    }
    DWORD wait = std::min(pause, waitMilliseconds(remaining));
    // The child's exit also ends the pause early; after it, a grandchild may
    // still hold the pipe.
    if (!childExited)
      childExited = ::WaitForSingleObject(process.get(), wait) == WAIT_OBJECT_0;
    else
      ::Sleep(wait);
    pause = std::min<DWORD>(pause * 2, 16);
  }

  // The end of the pipe ends the capture: a child that closed its output
  // and runs on, and anything it started, are ended now rather than waited
  // for.
  if (job)
    ::TerminateJobObject(job.get(), 1);
  else
    ::TerminateProcess(process.get(), 1);
  process.reset();
  thread.reset();
  readEnd.reset();
  job.reset();

  if (output.cut()) tell(outputCutNotice(commandLine));
  if (timedOut) failAfterLimit(commandLine, limit, notice);
  return decodeOutput(output.take());
}

} // namespace qv::platform
