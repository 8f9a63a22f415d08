#include "platform/folder_size.hpp"
#include "platform/folder_walk.hpp"

#include <gtest/gtest.h>

#include <map>
#include <sys/fsuid.h>

#include "tests/platform/temp_tree.hpp"

namespace qv::platform {
namespace {

namespace fs = std::filesystem;

// A tree of named folders whose identities the test chooses, as a share
// that reports zero or repeated file identities would.
struct FakeTree {
  using Path = std::string;
  // The bytes of its files, its subfolders, its identity.
  using Folder = std::tuple<uint64_t, std::vector<Subfolder<Path>>, std::string>;
  bool scan(const Path &folder, uint64_t &total, std::vector<Subfolder<Path>> &found) {
    auto it = folders.find(folder);
    if (it == folders.end() || ++scans > 1000) return false; // a loop ends here
    const auto &[bytes, subfolders, identity] = it->second;
    total += bytes;
    found.insert(found.end(), subfolders.begin(), subfolders.end());
    return true;
  }
  std::string identity(const Path &folder) { return std::get<2>(folders.at(folder)); }

  std::map<Path, Folder> folders;
  int scans = 0;
};

// The total of the tree below "top", or -1 when top cannot be searched.
int64_t totalOf(std::map<std::string, FakeTree::Folder> folders) {
  FakeTree tree{std::move(folders)};
  uint64_t total = 0;
  return totalOfTree(tree, "top", total) ? static_cast<int64_t>(total) : -1;
}

// Ordinary folders count even when they all report one identity. A reparse
// point is entered once on its branch; an identity of zeros tells nothing,
// so such a folder counts, also below another whose identity is zeros.
TEST(FolderWalk, OrdinaryFoldersAlwaysCountReparsePointsOncePerBranch) {
  const std::string zeros(16, '\0');
  EXPECT_EQ(totalOf({{"top", {1, {{"a"}}, "same"}},
                     {"a", {10, {{"b"}}, "same"}},
                     {"b", {100, {{"z", true}}, "same"}},
                     {"z", {1000, {{"y", true}}, zeros}},
                     {"y", {10000, {}, zeros}}}),
            11111);
  EXPECT_EQ(totalOf({}), -1);
  // "r" leads back into itself; "s" repeats r's identity on another branch.
  EXPECT_EQ(totalOf({{"top", {1, {{"r", true}, {"s", true}}, "top"}},
                     {"r", {10, {{"r", true}}, "id"}},
                     {"s", {100, {}, "id"}}}),
            111);
}

// The size, or -1 for a failure with 76 "Path not found".
int64_t sizeOf(const std::string &path) {
  try {
    return static_cast<int64_t>(folderSize(path));
  } catch (const AutomationError &e) {
    return e.number() == 76 && e.description() == "Path not found" ? -1 : -2;
  }
}

// Regular files only, in every folder (also those named with dots); links
// are not followed, so a link back up the tree cannot loop.
TEST(FolderSize, TotalsRegularFilesOfTheWholeTreeWithoutFollowingLinks) {
  test::TempTree tree;
  for (const auto &[name, bytes] :
       {std::pair{".hidden/a", 1}, {"..dots/b", 20}, {"c/d/e/f", 300}, {"g h", 4000}})
    tree.file(name, bytes);
  for (const auto &[target, link] :
       {std::pair{"", "c/d/up"}, {"c", "elsewhere"}, {"g h", "bigfile"}, {"nothing", "dangling"}})
    fs::create_symlink(tree.root / target, tree.root / link);
  EXPECT_EQ(sizeOf(tree.path()), 4321);
  EXPECT_EQ(sizeOf(tree.path() + "/"), 4321) << "a trailing separator names the same folder";
  EXPECT_EQ(sizeOf(tree.path("elsewhere")), 300) << "the folder asked for may be a link";
}

// The same walk by an unprivileged user: root reads folders whatever their
// permission bits, so it walks with the file-system identity of "nobody".
int64_t sizeWithoutPrivileges(const std::string &path) {
  const int group = setfsgid(65534), user = setfsuid(65534);
  const int64_t size = sizeOf(path);
  setfsuid(user);
  setfsgid(group);
  return size;
}

// Only a folder that cannot be opened fails; below it, what cannot be read
// counts 0 and the rest still counts.
TEST(FolderSize, UnreadableSubfolderCountsZeroUnopenableFolderFails) {
  test::TempTree tree;
  fs::permissions(tree.root, fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
  tree.file("readable/a", 100);
  tree.file("locked/deeper/b", 5000);
  tree.file("c", 3);
  ASSERT_EQ(sizeWithoutPrivileges(tree.path()), 5103) << "the unprivileged walk must see the open tree";
  fs::permissions(tree.root / "locked", fs::perms::none);
  EXPECT_EQ(sizeWithoutPrivileges(tree.path()), 103);
  for (const auto &path : {tree.path("locked"), tree.path("missing"), tree.path("c"), std::string()})
    EXPECT_EQ(sizeWithoutPrivileges(path), -1) << "'" << path << "'";
  fs::permissions(tree.root / "locked", fs::perms::owner_all);
}

} // namespace
} // namespace qv::platform
