#include "lab/com/lab_state.hpp"

#include <lm.h>

#include <cstdio>

#include "lab/model/fleet_loader.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"
#include "platform/win32/bstr.hpp"

namespace qv::lab {
namespace {

HMODULE labModule = nullptr;

std::wstring folderOf(HMODULE module) {
  wchar_t path[MAX_PATH] = {};
  DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
  std::wstring result(path, length);
  std::size_t slash = result.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring(L".") : result.substr(0, slash);
}

std::wstring environmentValue(const wchar_t *name) {
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableW(name, buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(buffer, length) : std::wstring();
}

} // namespace

void LabState::setModule(HMODULE module) { labModule = module; }

LabState &LabState::instance() {
  static LabState state;
  return state;
}

static std::wstring initialHome() {
  std::wstring home = environmentValue(L"QV_LAB_HOME");
  return home.empty() ? folderOf(labModule) : home;
}

LabState::LabState() : home_(initialHome()), local_(hostNames()) {}

Fleet &LabState::fleet() {
  if (!loaded_) {
    loaded_ = true;
    std::wstring path = home_ + L"\\fleet.json";
    std::string text;
    if (!readWholeFile(path, text)) {
      failure_ = "The lab's fleet file cannot be read: " + win32::fromWide(path.c_str(), path.size());
    } else {
      try {
        fleet_ = loadFleet(text);
      } catch (const std::exception &e) {
        failure_ = e.what();
      }
    }
  }
  if (!failure_.empty()) throw LabError(code::kFail, failure_);
  return fleet_;
}

Date LabState::now() {
  SYSTEMTIME t;
  GetLocalTime(&t);
  return dateFromParts(t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
}

int64_t LabState::clockMs() { return static_cast<int64_t>(GetTickCount64()); }

bool readWholeFile(const std::wstring &path, std::string &contents) {
  FILE *file = _wfopen(path.c_str(), L"rb");
  if (!file) return false;
  char buffer[65536];
  std::size_t n;
  contents.clear();
  while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
    contents.append(buffer, n);
  std::fclose(file);
  return true;
}

LocalNames hostNames() {
  LocalNames names;
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (GetComputerNameW(computer, &size)) names.computer = win32::fromWide(computer, size);
  LPBYTE info = nullptr;
  if (NetWkstaGetInfo(nullptr, 102, &info) == NERR_Success && info) {
    const auto *wksta = reinterpret_cast<const WKSTA_INFO_102 *>(info);
    if (wksta->wki102_langroup)
      names.workgroup = win32::fromWide(wksta->wki102_langroup, wcslen(wksta->wki102_langroup));
    NetApiBufferFree(info);
  }
  return names;
}

} // namespace qv::lab
