#pragma once
// A folder tree in the temporary folder, removed with everything in it.

#include <cstdlib>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace qv::test {

class TempTree {
public:
  TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qv-tree-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    root = pattern;
  }
  // Folders a test locked must be opened again before: only root removes
  // them as they are.
  ~TempTree() {
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
  }
  TempTree(const TempTree &) = delete;
  TempTree &operator=(const TempTree &) = delete;

  std::string path(const std::string &relative = "") const { return (root / relative).string(); }
  // A file of that many bytes, its folders made as needed.
  void file(const std::string &relative, std::size_t bytes) {
    std::filesystem::create_directories((root / relative).parent_path());
    std::ofstream(root / relative, std::ios::binary) << std::string(bytes, 'x');
  }

  std::filesystem::path root;
};

} // namespace qv::test
