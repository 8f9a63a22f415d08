#include "platform/folder_size.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/automation_error.hpp"
#include "tests/platform/temp_tree.hpp"

namespace fs = std::filesystem;

namespace {

using qv::test::TempTree;

// The size, or -1 for a failure with 76 "Path not found".
int64_t sizeOf(const std::string &path) {
  try {
    return static_cast<int64_t>(qv::platform::folderSize(path));
  } catch (const qv::AutomationError &e) {
    return e.number() == 76 && e.description() == "Path not found" ? -1 : -2;
  }
}

// The same walk by an unprivileged user: root reads folders whatever their
// permission bits, so as root it runs in a child that drops to "nobody".
int64_t sizeWithoutPrivileges(const std::string &path) {
  if (geteuid() != 0) return sizeOf(path);
  int channel[2];
  if (pipe(channel) != 0) return -3;
  pid_t child = fork();
  if (child == 0) {
    int64_t result = setgid(65534) == 0 && setuid(65534) == 0 ? sizeOf(path) : -4;
    _exit(write(channel[1], &result, sizeof result) == sizeof result ? 0 : 1);
  }
  close(channel[1]);
  int64_t result = -3;
  if (read(channel[0], &result, sizeof result) != sizeof result) result = -3;
  close(channel[0]);
  waitpid(child, nullptr, 0);
  return result;
}

TEST(FolderSize, TotalsRegularFilesOfTheWholeTree) {
  struct Case {
    std::vector<std::pair<std::string, std::size_t>> files;
    std::vector<std::string> emptyFolders;
    int64_t expected;
  };
  for (const auto &c : std::vector<Case>{
           {{}, {"a/b", "c"}, 0},
           {{{"a/1", 100}, {"a/b/2", 200}, {"a/b/c/d/3", 300}, {"empty", 0}, {"5", 5}}, {"f"}, 605},
           {{{".hidden", 7}, {"with blank/file name", 8}, {"..dots", 9}}, {}, 24},
       }) {
    TempTree tree;
    for (const auto &[name, bytes] : c.files)
      tree.file(name, bytes);
    for (const auto &name : c.emptyFolders)
      fs::create_directories(tree.root / name);
    EXPECT_EQ(sizeOf(tree.path()), c.expected);
    EXPECT_EQ(sizeOf(tree.path() + "/"), c.expected) << "a trailing separator names the same folder";
  }
}

TEST(FolderSize, FolderThatCannotBeOpenedFailsWithPathNotFound) {
  TempTree tree;
  tree.file("plain", 5);
  for (const auto &path :
       {tree.path("missing"), tree.path("plain"), tree.path("missing/deeper"), std::string()}) {
    EXPECT_EQ(sizeOf(path), -1) << "'" << path << "'";
  }
}

TEST(FolderSize, LinksAreNotFollowed) {
  TempTree outside;
  outside.file("big", 1000);
  TempTree tree;
  tree.file("a/b/file", 10);
  tree.file("top", 1);
  fs::create_symlink(tree.root, tree.root / "a/b/up"); // a loop back to the top
  fs::create_symlink(tree.root / "a", tree.root / "a/self");
  fs::create_symlink(outside.root, tree.root / "elsewhere");
  fs::create_symlink(outside.root / "big", tree.root / "bigfile");
  fs::create_symlink(tree.root / "nothing", tree.root / "dangling");
  EXPECT_EQ(sizeOf(tree.path()), 11);
  EXPECT_EQ(sizeOf(tree.path("elsewhere")), 1000) << "the folder asked for may be a link";
}

TEST(FolderSize, UnreadableSubfolderCountsZeroAndTheRestCounts) {
  TempTree tree;
  fs::permissions(tree.root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  tree.file("readable/a", 100);
  tree.file("readable/sub/b", 20);
  tree.file("locked/c", 5000);
  tree.file("locked/deeper/d", 7000);
  tree.file("e", 3);
  ASSERT_EQ(sizeWithoutPrivileges(tree.path()), 12123) << "the unprivileged walk must see the open tree";
  fs::permissions(tree.root / "locked", fs::perms::none);
  EXPECT_EQ(sizeWithoutPrivileges(tree.path()), 123);
  EXPECT_EQ(sizeWithoutPrivileges(tree.path("locked")), -1) << "the folder asked for is refused";
}

} // namespace
