#include "platform/folder_size.hpp"

#include <string>
#include <utility>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/automation_error.hpp"

namespace qv::platform {

// Descriptor-relative walk: each entry is reached from its parent's open
// descriptor, so no path is resolved twice and a folder replaced by a link
// during the walk is refused (O_NOFOLLOW) rather than followed. The entry
// type from the directory listing spares a stat call for everything but
// regular files. Open descriptors: one per level of the current branch.
// Links are not followed and mounts form a finite tree, so no folder is met
// twice on one branch and the walk keeps no record of the folders it saw.

namespace {

class DirStream {
public:
  // Takes ownership of fd (closed also when it cannot be streamed).
  explicit DirStream(int fd) : dir_(fd >= 0 ? fdopendir(fd) : nullptr) {
    if (fd >= 0 && dir_ == nullptr) close(fd);
  }
  ~DirStream() {
    if (dir_ != nullptr) closedir(dir_);
  }
  DirStream(DirStream &&other) noexcept : dir_(std::exchange(other.dir_, nullptr)) {}
  DirStream(const DirStream &) = delete;
  DirStream &operator=(const DirStream &) = delete;
  DirStream &operator=(DirStream &&) = delete;

  bool valid() const { return dir_ != nullptr; }
  DIR *get() const { return dir_; }
  int fd() const { return dirfd(dir_); }

private:
  DIR *dir_;
};

bool isDotEntry(const char *name) {
  return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}

uint64_t regularFileBytes(int parent, const char *name) {
  struct stat info;
  if (fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) return 0;
  return static_cast<uint64_t>(info.st_size);
}

} // namespace

uint64_t folderSize(const std::string &path) {
  std::vector<DirStream> branch;
  branch.emplace_back(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!branch.back().valid()) throw pathNotFound();

  uint64_t total = 0;
  while (!branch.empty()) {
    int parent = branch.back().fd();
    // Each stream is read by one walk only, which readdir serves safely (its
    // reentrant twin is deprecated).
    // cppcheck-suppress readdirCalled
    const dirent *entry = readdir(branch.back().get());
    if (entry == nullptr) { // the end, or a folder that stopped reading: what was read counts
      branch.pop_back();
      continue;
    }
    const char *name = entry->d_name;
    unsigned char type = entry->d_type;
    if (type == DT_UNKNOWN) { // file systems that do not say: ask, without following links
      struct stat info;
      if (fstatat(parent, name, &info, AT_SYMLINK_NOFOLLOW) != 0) continue;
      if (S_ISREG(info.st_mode)) {
        total += static_cast<uint64_t>(info.st_size);
        continue;
      }
      type = S_ISDIR(info.st_mode) ? DT_DIR : DT_LNK;
    }
    if (type == DT_REG) {
      total += regularFileBytes(parent, name);
    } else if (type == DT_DIR && !isDotEntry(name)) {
      DirStream folder(openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
      if (folder.valid()) branch.push_back(std::move(folder));
    }
  }
  return total;
}

} // namespace qv::platform
