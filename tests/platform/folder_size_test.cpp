#include "platform/folder_size.hpp"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/automation_error.hpp"

namespace fs = std::filesystem;

namespace {

// A folder tree in the temporary folder, removed with everything in it.
class TempTree {
public:
  TempTree() {
    std::string pattern = (fs::temp_directory_path() / "qv-folder-size-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root_ = pattern;
  }
  ~TempTree() {
    std::error_code ec;
    for (const auto &locked : locked_)
      fs::permissions(locked, fs::perms::owner_all, ec);
    fs::remove_all(root_, ec);
  }
  TempTree(const TempTree &) = delete;
  TempTree &operator=(const TempTree &) = delete;

  const fs::path &root() const { return root_; }
  std::string path(const std::string &relative = "") const { return (root_ / relative).string(); }

  void file(const std::string &relative, std::size_t bytes) {
    fs::create_directories((root_ / relative).parent_path());
    std::ofstream out(root_ / relative, std::ios::binary);
    out << std::string(bytes, 'x');
  }
  void folder(const std::string &relative) { fs::create_directories(root_ / relative); }
  void link(const std::string &relative, const fs::path &target) {
    fs::create_symlink(target, root_ / relative);
  }
  void lock(const std::string &relative) {
    fs::permissions(root_ / relative, fs::perms::none);
    locked_.push_back(root_ / relative);
  }
  // Readable by any user, so a walk without privileges can enter it.
  void openToAll() {
    fs::permissions(root_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                               fs::perms::others_read | fs::perms::others_exec);
  }

private:
  fs::path root_;
  std::vector<fs::path> locked_;
};

// Runs the walk as an unprivileged user when the tests run as root, where
// permission bits do not keep a folder closed. -1 for a failure with 76.
int64_t sizeWithoutPrivileges(const std::string &path) {
  if (geteuid() != 0) {
    try {
      return static_cast<int64_t>(qv::platform::folderSize(path));
    } catch (const qv::AutomationError &e) {
      return e.number() == 76 ? -1 : -2;
    }
  }
  int channel[2];
  if (pipe(channel) != 0) return -3;
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    int64_t result = -2;
    if (setgid(65534) == 0 && setuid(65534) == 0) {
      try {
        result = static_cast<int64_t>(qv::platform::folderSize(path));
      } catch (const qv::AutomationError &e) {
        result = e.number() == 76 ? -1 : -2;
      }
    }
    ssize_t written = write(channel[1], &result, sizeof result);
    _exit(written == sizeof result ? 0 : 1);
  }
  close(channel[1]);
  int64_t result = -3;
  if (read(channel[0], &result, sizeof result) != sizeof result) result = -3;
  close(channel[0]);
  int status = 0;
  waitpid(child, &status, 0);
  return result;
}

TEST(FolderSize, TotalsRegularFilesOfTheWholeTree) {
  struct Case {
    const char *what;
    std::vector<std::pair<std::string, std::size_t>> files;
    std::vector<std::string> emptyFolders;
    uint64_t expected;
  };
  const std::vector<Case> cases = {
      {"empty folder", {}, {}, 0},
      {"only empty subfolders", {}, {"a", "a/b", "c"}, 0},
      {"flat", {{"one", 10}, {"two", 20}, {"empty", 0}}, {}, 30},
      {"nested", {{"a/1", 100}, {"a/b/2", 200}, {"a/b/c/d/3", 300}, {"e/4", 4}, {"5", 5}}, {"f"}, 609},
      {"hidden names and blanks", {{".hidden", 7}, {"with blank/file name", 8}, {"..dots", 9}}, {}, 24},
  };
  for (const auto &c : cases) {
    TempTree tree;
    for (const auto &[name, bytes] : c.files)
      tree.file(name, bytes);
    for (const auto &name : c.emptyFolders)
      tree.folder(name);
    EXPECT_EQ(qv::platform::folderSize(tree.path()), c.expected) << c.what;
    // A trailing separator names the same folder.
    EXPECT_EQ(qv::platform::folderSize(tree.path() + "/"), c.expected) << c.what;
  }
}

TEST(FolderSize, FolderThatCannotBeOpenedFailsWithPathNotFound) {
  TempTree tree;
  tree.file("plain", 5);
  const std::vector<std::string> paths = {tree.path("missing"), tree.path("plain"),
                                          tree.path("missing/deeper"), ""};
  for (const auto &path : paths) {
    try {
      qv::platform::folderSize(path);
      ADD_FAILURE() << "no failure for '" << path << "'";
    } catch (const qv::AutomationError &e) {
      EXPECT_EQ(e.number(), 76) << path;
      EXPECT_EQ(e.description(), "Path not found") << path;
    }
  }
}

TEST(FolderSize, LinksAreNotFollowed) {
  TempTree outside;
  outside.file("big", 1000);
  TempTree tree;
  tree.file("a/b/file", 10);
  tree.file("top", 1);
  tree.link("a/b/up", tree.root());             // a loop back to the top
  tree.link("a/self", tree.root() / "a");       // a loop to its own folder
  tree.link("elsewhere", outside.root());       // a folder outside the tree
  tree.link("bigfile", outside.root() / "big"); // a file outside the tree
  tree.link("dangling", tree.root() / "nothing");
  EXPECT_EQ(qv::platform::folderSize(tree.path()), 11u);
  // The folder asked for may itself be reached through a link.
  EXPECT_EQ(qv::platform::folderSize(tree.path("elsewhere")), 1000u);
}

TEST(FolderSize, DeepTreeIsWalkedToTheBottom) {
  TempTree tree;
  std::string deep;
  for (int level = 0; level < 100; ++level)
    deep += "d/";
  tree.file(deep + "leaf", 42);
  tree.file("d/near", 1);
  EXPECT_EQ(qv::platform::folderSize(tree.path()), 43u);
}

// Run as an unprivileged user (a child process that drops root), since the
// test runner's root user reads folders whatever their permission bits.
TEST(FolderSize, UnreadableSubfolderCountsZeroAndTheRestCounts) {
  TempTree tree;
  tree.openToAll();
  tree.file("readable/a", 100);
  tree.file("readable/sub/b", 20);
  tree.file("locked/c", 5000);
  tree.file("locked/deeper/d", 7000);
  tree.file("e", 3);
  for (const char *open : {"readable", "readable/sub", "locked", "locked/deeper"}) {
    fs::permissions(tree.root() / open, fs::perms::all & ~fs::perms::group_write & ~fs::perms::others_write);
  }
  ASSERT_EQ(sizeWithoutPrivileges(tree.path()), 12123); // all readable so far
  tree.lock("locked");
  EXPECT_EQ(sizeWithoutPrivileges(tree.path()), 123);
  EXPECT_EQ(sizeWithoutPrivileges(tree.path("locked")), -1) << "the folder asked for is refused";
}

} // namespace
