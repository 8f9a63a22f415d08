// labfolders.exe: makes the real folders behind the fleet's web sites, so
// that their sizes are measured from files. "labfolders <share root>": a
// folder D:\sites\a of computer WEB1 is made as <share root>\WEB1\D$\sites\a,
// which the prefix serves as \\WEB1\D$\sites\a; the local computer's folders
// are made where its own paths point, and under its names as shares too.
// Files already in a folder are replaced, so the sizes are exactly the
// fleet's.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "lab/model/text.hpp"
#include "lab/tools/tool_support.hpp"
#include "platform/win32/bstr.hpp"

using namespace qv::lab;
namespace win32 = qv::win32;

namespace {

bool makeFolders(const std::wstring &path) {
  for (std::size_t at = path.find(L'\\', 3);; at = path.find(L'\\', at + 1)) {
    std::wstring part = path.substr(0, at);
    if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    if (at == std::wstring::npos) return true;
  }
}

void clearFiles(const std::wstring &folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

bool fill(const std::wstring &folder, const FolderSpec &spec) {
  if (!makeFolders(folder)) return false;
  clearFiles(folder);
  std::string content(static_cast<std::size_t>(spec.bytes), 'q');
  for (int32_t i = 1; i <= spec.files; ++i) {
    wchar_t name[32];
    swprintf(name, 32, L"\\file%04d.dat", i);
    HANDLE file = CreateFileW((folder + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != content.size()) return false;
  }
  return true;
}

// D:\sites\a on computer -> <root>\computer\D$\sites\a
std::wstring sharePath(const std::wstring &root, const std::string &computer, const std::string &path) {
  std::string share = computer + "\\" + path.substr(0, 1) + "$" + path.substr(2);
  return root + L"\\" + win32::toWide(share);
}

} // namespace

int main() {
  std::vector<std::string> args = tool::arguments();
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: labfolders <share root>\n");
    return 2;
  }
  std::wstring root = win32::toWide(args[0]);
  Fleet fleet = tool::loadFleetOrExit();
  LocalNames local = tool::localNames();
  int made = 0;
  for (const auto &computer : fleet.computers) {
    for (const auto &spec : computer->folders) {
      std::vector<std::wstring> targets{sharePath(root, computer->name, spec.path)};
      if (computer->local) {
        targets.push_back(win32::toWide(spec.path));
        if (!local.computer.empty() && !equalsNoCase(local.computer, computer->name))
          targets.push_back(sharePath(root, local.computer, spec.path));
      }
      for (const auto &target : targets) {
        if (!fill(target, spec)) {
          std::fprintf(stderr, "labfolders: cannot fill %ls (error %lu)\n", target.c_str(), GetLastError());
          return 1;
        }
        ++made;
      }
    }
  }
  std::printf("labfolders: %d folders filled\n", made);
  return 0;
}
