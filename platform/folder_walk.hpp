#pragma once
// The walk that totals a folder tree, written once over a listing seam so
// its rules hold for every file system and can be tried against any.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace qv::platform {

// One subfolder a listing found. A reparse point here is one that is a
// folder of its own (a deduplicated or cloud-backed folder, say); links and
// junctions, which name another place, are never handed to the walk.
template <class Path> struct Subfolder {
  Path path;
  bool reparsePoint = false;
};

// Tree lists folders for the walk:
//   using Path = ...;
//   bool scan(const Path &folder, uint64_t &total, std::vector<Subfolder<Path>> &found)
//     adds the bytes of folder's files to total and its subfolders to found;
//     false when folder cannot be searched;
//   std::string identity(const Path &folder)
//     volume and file identity as bytes; empty when it cannot be had.
//
// An ordinary folder is always walked: shares report file identities that
// are zero or repeat between folders, and a walk that skipped folders it had
// "seen" would leave out every one after the first. A loop can only be
// entered through a reparse point, so only there is the identity asked for:
// a reparse point that repeats one already entered on the same branch is not
// entered again. An identity of zeros tells nothing and never stops a folder.
//
// The total, or false when the top folder cannot be searched.
template <class Tree> bool totalOfTree(Tree &tree, const typename Tree::Path &top, uint64_t &total) {
  using Path = typename Tree::Path;
  // The reparse points entered on the way to a folder, innermost first.
  struct Entered {
    std::string identity;
    std::shared_ptr<const Entered> outer;
  };
  struct Pending {
    Subfolder<Path> folder;
    std::shared_ptr<const Entered> entered;
  };
  auto tellsNothing = [](const std::string &identity) {
    return identity.find_first_not_of('\0') == std::string::npos;
  };

  std::vector<Subfolder<Path>> found;
  std::vector<Pending> pending;
  auto queueFound = [&](const std::shared_ptr<const Entered> &entered) {
    for (Subfolder<Path> &folder : found)
      pending.push_back({std::move(folder), entered});
    found.clear();
  };
  if (!tree.scan(top, total, found)) return false;
  queueFound(nullptr);
  while (!pending.empty()) {
    Pending next = std::move(pending.back());
    pending.pop_back();
    std::shared_ptr<const Entered> entered = std::move(next.entered);
    if (next.folder.reparsePoint) {
      std::string identity = tree.identity(next.folder.path);
      if (!tellsNothing(identity)) {
        bool again = false;
        for (const Entered *on = entered.get(); on != nullptr && !again; on = on->outer.get())
          again = on->identity == identity;
        if (again) continue;
        entered = std::make_shared<const Entered>(Entered{std::move(identity), entered});
      }
    }
    tree.scan(next.folder.path, total, found);
    queueFound(entered);
  }
  return true;
}

} // namespace qv::platform
