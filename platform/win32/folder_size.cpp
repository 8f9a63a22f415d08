#include "platform/folder_size.hpp"

#include <windows.h>

#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "platform/folder_walk.hpp"
#include "platform/win32/handle.hpp"

namespace qv::platform {

// The find functions deliver each entry's size and attributes with its name,
// so the walk needs no call per file. Only one search is open at a time.

namespace {

std::wstring widen(const std::string &text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0);
  if (length <= 0) throw pathNotFound();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), wide.data(),
                      length);
  return wide;
}

// The full path in its extended form, so that deep trees are not cut off at
// the classic path length limit.
std::wstring extendedPath(const std::wstring &path) {
  if (path.rfind(L"\\\\?\\", 0) == 0) return path;
  DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) throw pathNotFound();
  std::wstring full(needed, L'\0');
  DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) throw pathNotFound();
  full.resize(written);
  if (full.rfind(L"\\\\.\\", 0) == 0) return full; // a device path stays as it is
  if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
  return L"\\\\?\\" + full;
}

std::wstring joined(const std::wstring &folder, const wchar_t *name) {
  std::wstring path = folder;
  if (path.empty() || path.back() != L'\\') path.push_back(L'\\');
  path.append(name);
  return path;
}

bool isDotEntry(const wchar_t *name) {
  return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The volume and file identity of a folder, as bytes; empty when it cannot
// be had or the file identity is zero (as shares may report it).
std::string folderIdentity(const std::wstring &folder) {
  Handle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                            FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!handle) return {};
  FILE_ID_INFO id;
  if (GetFileInformationByHandleEx(handle.get(), FileIdInfo, &id, sizeof id)) {
    std::string fileId(reinterpret_cast<const char *>(&id.FileId), sizeof id.FileId);
    if (fileId.find_first_not_of('\0') == std::string::npos) return {};
    std::string bytes(reinterpret_cast<const char *>(&id.VolumeSerialNumber), sizeof id.VolumeSerialNumber);
    return bytes + fileId;
  }
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(handle.get(), &info) ||
      (info.nFileIndexHigh == 0 && info.nFileIndexLow == 0))
    return {};
  const DWORD parts[] = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
  return std::string(reinterpret_cast<const char *>(parts), sizeof parts);
}

// Adds the files of folder to total and its real subfolders to found;
// false when the folder cannot be searched.
bool scanFolder(const std::wstring &folder, uint64_t &total, std::vector<Subfolder<std::wstring>> &found) {
  WIN32_FIND_DATAW data;
  FindHandle search(FindFirstFileExW(joined(folder, L"*").c_str(), FindExInfoBasic, &data,
                                     FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!search) return GetLastError() == ERROR_FILE_NOT_FOUND; // an empty drive root
  do {
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (isDotEntry(data.cFileName)) continue;
      // Symbolic links, junctions and mount points name another place.
      bool reparsePoint = data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT;
      if (reparsePoint && IsReparseTagNameSurrogate(data.dwReserved0)) continue;
      found.push_back({joined(folder, data.cFileName), reparsePoint});
    } else {
      total += (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
  } while (FindNextFileW(search.get(), &data));
  return true;
}

struct FindTree {
  using Path = std::wstring;
  bool scan(const Path &folder, uint64_t &total, std::vector<Subfolder<Path>> &found) {
    return scanFolder(folder, total, found);
  }
  std::string identity(const Path &folder) { return folderIdentity(folder); }
};

} // namespace

uint64_t folderSize(const std::string &path) {
  std::wstring top = extendedPath(widen(path));
  DWORD attributes = GetFileAttributesW(top.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) throw pathNotFound();

  uint64_t total = 0;
  FindTree tree;
  if (!totalOfTree(tree, top, total)) throw pathNotFound();
  return total;
}

} // namespace qv::platform
