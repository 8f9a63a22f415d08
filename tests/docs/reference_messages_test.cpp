#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(ReferenceMessagesTest, EveryMessageOfTheCodeIsInTheReference) {
  const fs::path root = QV_SOURCE_DIR;
  const std::string reference = readFile(root / "docs/reference.md");
  // Every message text the product's code gives a failure, without blanks at
  // its ends: the handlers' messages, descriptions of its own errors, and
  // message constants.
  const std::regex message(R"((?:(?:reportAndFail|raiseError)\(\s*|runtimeError\(k\w+,\s*|)"
                           R"(AutomationError\([^,()]+,\s*kSource,\s*|constexpr const char \*k\w*Message = ))"
                           R"(" *([^"]*[^" ]) *")");
  std::size_t found = 0;
  for (const char *area : {"core", "services", "iis", "inventory", "processes", "eventlog", "terminal",
                           "tools", "automation", "platform/common"}) {
    for (const auto &entry : fs::recursive_directory_iterator(root / area)) {
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".hpp") continue;
      const std::string text = readFile(entry.path());
      for (auto it = std::sregex_iterator(text.begin(), text.end(), message); it != std::sregex_iterator();
           ++it, ++found)
        EXPECT_NE(reference.find((*it)[1].str()), std::string::npos) << entry.path() << ": " << (*it)[1];
    }
  }
  EXPECT_GT(found, 30u); // the scan itself works
}

} // namespace
