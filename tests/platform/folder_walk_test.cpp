#include "platform/folder_walk.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace qv::platform {
namespace {

// A tree of named folders whose identities the test chooses, as a share
// that reports zero or repeated file identities would.
struct FakeTree {
  using Path = std::string;
  struct Folder {
    uint64_t bytes;
    std::vector<Subfolder<Path>> subfolders;
    std::string identity;
  };
  bool scan(const Path &folder, uint64_t &total, std::vector<Subfolder<Path>> &found) {
    auto it = folders.find(folder);
    if (it == folders.end() || ++scans > 1000) return false; // a loop ends here

    total += it->second.bytes;
    found.insert(found.end(), it->second.subfolders.begin(), it->second.subfolders.end());
    return true;
  }
  std::string identity(const Path &folder) { return folders.at(folder).identity; }
  std::map<Path, Folder> folders;
  int scans = 0;
};

uint64_t totalOf(FakeTree &tree) {
  uint64_t total = 0;
  EXPECT_TRUE(totalOfTree(tree, "top", total));
  return total;
}

TEST(FolderWalk, OrdinaryFoldersCountWhateverIdentityTheyReport) {
  for (const std::string &identity : {std::string(), std::string(24, '\0'), std::string("same")}) {
    FakeTree tree;
    tree.folders = {{"top", {1, {{"a"}, {"b"}}, identity}},
                    {"a", {10, {{"a/c"}}, identity}},
                    {"a/c", {100, {}, identity}},
                    {"b", {1000, {}, identity}}};
    EXPECT_EQ(totalOf(tree), 1111u) << "identity of " << identity.size() << " bytes";
  }
}

TEST(FolderWalk, AReparsePointIsEnteredOnceOnItsBranch) {
  FakeTree tree;
  // "r" leads back into itself; "s" repeats r's identity on another branch.
  tree.folders = {{"top", {1, {{"r", true}, {"s", true}}, "top"}},
                  {"r", {10, {{"r", true}}, "id"}},
                  {"s", {100, {}, "id"}}};
  EXPECT_EQ(totalOf(tree), 111u);

  // Without an identity the walk cannot tell, and the folder counts, also
  // below another reparse point that has none.
  const std::string zeros(16, '\0');
  tree.folders = {{"top", {1, {{"z", true}}, ""}},
                  {"z", {10, {{"y", true}}, zeros}},
                  {"y", {100, {{"x", true}}, zeros}},
                  {"x", {1000, {{"w", true}}, ""}},
                  {"w", {10000, {}, ""}}};
  EXPECT_EQ(totalOf(tree), 11111u);
}

TEST(FolderWalk, TopThatCannotBeSearchedFails) {
  FakeTree tree;
  uint64_t total = 0;
  EXPECT_FALSE(totalOfTree(tree, "top", total));
}

} // namespace
} // namespace qv::platform
