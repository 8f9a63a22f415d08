#include "platform/win32/win32_system.hpp"

#include <windows.h>

#include <lm.h>
#include <oleauto.h>
#include <shellapi.h>

#include <memory>

#include "core/automation_error.hpp"
#include "core/handlers.hpp"
#include "platform/command_capture.hpp"
#include "platform/command_interpreter.hpp"
#include "platform/folder_size.hpp"
#include "platform/win32/bstr.hpp"

namespace qv::win32 {
namespace {

// The event source under which operator notices appear in the Application
// log.
constexpr const char *kEventSource = "Quorvane";

struct NetBufferFree {
  void operator()(void *buffer) const { NetApiBufferFree(buffer); }
};

struct EventSourceClose {
  void operator()(HANDLE source) const { DeregisterEventSource(source); }
};

Date fromSystemTime(const SYSTEMTIME &time) {
  DATE serial = 0;
  SystemTimeToVariantTime(const_cast<SYSTEMTIME *>(&time), &serial);
  return Date{serial};
}

LaunchResult launchKind(int64_t code) {
  if (code > 32) return LaunchResult::started;
  switch (code) {
  case ERROR_FILE_NOT_FOUND: return LaunchResult::programNotFound;
  case ERROR_PATH_NOT_FOUND: return LaunchResult::folderNotFound;
  case SE_ERR_ACCESSDENIED: return LaunchResult::accessDenied;
  case 0:
  case SE_ERR_OOM: return LaunchResult::outOfResources;
  case ERROR_BAD_FORMAT: return LaunchResult::notAProgram;
  default: return LaunchResult::failed;
  }
}

} // namespace

std::optional<std::string> Win32System::computerName() {
  char buffer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = sizeof buffer;
  if (!GetComputerNameA(buffer, &size)) return std::nullopt;
  return fromAnsi(std::string_view(buffer, size));
}

std::optional<std::string> Win32System::workgroupName() {
  LPBYTE raw = nullptr;
  NET_API_STATUS status = NetWkstaGetInfo(nullptr, 102, &raw);
  std::unique_ptr<void, NetBufferFree> owned(raw);
  if (status != NERR_Success) return std::nullopt;
  const auto *info = reinterpret_cast<const WKSTA_INFO_102 *>(raw);
  return reportAndFail("Error with pointer to byte string while getting workgroup name", [&] {
    if (info == nullptr || info->wki102_langroup == nullptr) return std::string();
    return fromWide(info->wki102_langroup, static_cast<std::size_t>(lstrlenW(info->wki102_langroup)));
  });
}

Launch Win32System::launch(const std::string &program, const std::string &parameters) {
  std::string file = toAnsi(program);
  std::string arguments = toAnsi(parameters);
  HINSTANCE result = ShellExecuteA(nullptr, nullptr, file.c_str(), arguments.c_str(), nullptr, SW_HIDE);
  const auto code = static_cast<int64_t>(reinterpret_cast<INT_PTR>(result));
  return Launch(launchKind(code), code);
}

std::string Win32System::commandInterpreter() {
  BOOL wow64 = FALSE;
  if (!IsWow64Process(GetCurrentProcess(), &wow64)) wow64 = FALSE;
  std::string folder;
  if (wow64) {
    wchar_t buffer[MAX_PATH + 1] = {};
    UINT length = GetSystemWindowsDirectoryW(buffer, MAX_PATH + 1);
    if (length > 0 && length <= MAX_PATH) folder = fromWide(buffer, length);
  }
  return platform::commandInterpreter(wow64 != FALSE, folder,
                                      [this](const std::string &path) { return fileExists(path); });
}

std::string Win32System::captureCommandOutput(const std::string &commandLine) {
  return platform::captureCommandOutput(commandLine,
                                        [this](const std::string &notice) { operatorNotice(notice); });
}

uint64_t Win32System::folderSize(const std::string &path) { return platform::folderSize(path); }

bool Win32System::fileExists(const std::string &path) {
  DWORD attributes = GetFileAttributesA(toAnsi(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32System::environment(const std::string &name) {
  std::string variable = toAnsi(name);
  DWORD size = GetEnvironmentVariableA(variable.c_str(), nullptr, 0);
  if (size == 0) {
    // Zero is both "unset" and "set to the empty text".
    if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
    return std::string();
  }
  std::string value(size, '\0');
  DWORD length = GetEnvironmentVariableA(variable.c_str(), value.data(), size);
  value.resize(length < size ? length : 0);
  return fromAnsi(value);
}

void Win32System::operatorNotice(const std::string &text) {
  std::unique_ptr<void, EventSourceClose> source(RegisterEventSourceA(nullptr, kEventSource));
  if (!source) return;
  std::string message = toAnsi(text);
  const char *strings[] = {message.c_str()};
  ReportEventA(source.get(), EVENTLOG_WARNING_TYPE, 0, 0, nullptr, 1, 0, strings, nullptr);
}

Date Win32System::nowLocal() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return fromSystemTime(now);
}

Date Win32System::nowUtc() {
  SYSTEMTIME now;
  GetSystemTime(&now);
  return fromSystemTime(now);
}

} // namespace qv::win32
