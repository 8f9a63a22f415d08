#include "lab/tools/tool_support.hpp"

#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <io.h>

#include "lab/com/lab_state.hpp"
#include "lab/model/fleet_loader.hpp"
#include "lab/model/text.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/handle.hpp"

namespace qv::lab::tool {

std::vector<std::string> arguments() {
  int count = 0;
  LPWSTR *list = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; list && i < count; ++i)
    args.push_back(win32::fromWide(list[i], wcslen(list[i])));
  if (list) LocalFree(list);
  return args;
}

std::optional<std::string> option(const std::vector<std::string> &args, const char *name) {
  std::string prefix = std::string("/") + name + ":";
  for (const auto &arg : args)
    if (startsWithNoCase(arg, prefix)) return arg.substr(prefix.size());
  return std::nullopt;
}

std::wstring labHome() {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(L"QV_LAB_HOME", buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH) return std::wstring(buffer, length);
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\QuorvaneLab", L"Home", RRF_RT_REG_SZ, nullptr, buffer,
                   &size) == ERROR_SUCCESS) {
    return buffer;
  }
  return {};
}

Fleet loadFleetOrExit() {
  std::wstring home = labHome();
  std::string text;
  if (home.empty() || !readWholeFile(home + L"\\fleet.json", text)) {
    std::fprintf(stderr, "The lab is not registered in this prefix (no fleet file found).\n");
    std::exit(2);
  }
  try {
    return loadFleet(text);
  } catch (const std::exception &e) {
    std::fprintf(stderr, "%s\n", e.what());
    std::exit(2);
  }
}

LocalNames localNames() { return hostNames(); }

std::vector<SessionChange> readJournal() {
  std::string text;
  if (!readWholeFile(labHome() + L"\\sessions-journal.txt", text)) return {};
  return parseJournal(text);
}

void appendJournal(const SessionChange &change) {
  appendToFile(labHome() + L"\\sessions-journal.txt", journalLine(change));
}

void print(const std::string &text) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

// The lab's tools may run at once (two reboot requests start two detached
// recorders): a named mutex keeps one line whole and none lost, and the
// append-only access lets the system place each write at the end.
void appendToFile(const std::wstring &path, const std::string &text) {
  platform::Handle lock(CreateMutexW(nullptr, FALSE, L"Local\\QuorvaneLabAppend"));
  const DWORD waited = lock ? WaitForSingleObject(lock.get(), 30000) : WAIT_FAILED;
  const bool locked = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  platform::Handle file;
  for (int attempt = 0; attempt < 100; ++attempt) {
    *file.receive() = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file || GetLastError() != ERROR_SHARING_VIOLATION) break;
    Sleep(50);
  }
  DWORD written = 0;
  const bool whole = file &&
                     WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                     written == text.size();
  if (locked) ReleaseMutex(lock.get());
  if (!whole) {
    std::fprintf(stderr, "cannot write %ls\n", path.c_str());
    std::exit(2);
  }
}

} // namespace qv::lab::tool
