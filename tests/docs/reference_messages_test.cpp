#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
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

// The members whose calls bind an argument for writing back are exactly
// those the reference's sentence on written-back arguments names, and the
// section on deliberate differences keeps its rows (its heading and link are
// the generator's, which reference_is_current holds the document to).
TEST(ReferenceMessagesTest, TheReferenceNamesEveryWrittenBackArgumentAndItsDifferences) {
  const fs::path root = QV_SOURCE_DIR;
  const std::string reference = readFile(root / "docs/reference.md");
  const std::regex binding(R"re(\.method\(L"(\w+)"[^;]*?\b(?:textRef|int32Ref|optionalInt32Ref)\()re");
  std::set<std::string> bound;
  for (const auto &entry : fs::directory_iterator(root / "automation/tables")) {
    const std::string text = readFile(entry.path());
    for (auto it = std::sregex_iterator(text.begin(), text.end(), binding); it != std::sregex_iterator();
         ++it)
      bound.insert((*it)[1]);
  }
  EXPECT_GE(bound.size(), 3u); // the scan itself works

  const std::string lead = "\nArguments a script passes to a method are taken by reference.";
  const std::size_t at = reference.find(lead);
  ASSERT_NE(at, std::string::npos);
  const std::string sentence = reference.substr(at, reference.find('\n', at + 1) - at);
  const std::regex named(R"(`\w+\.(\w+)` into `\w+`)");
  std::set<std::string> written;
  for (auto it = std::sregex_iterator(sentence.begin(), sentence.end(), named); it != std::sregex_iterator();
       ++it)
    written.insert((*it)[1]);
  EXPECT_EQ(written, bound) << sentence;
  EXPECT_NE(reference.find("| `Services.servicesSorted` | Sorts any number of services; past 32,767"),
            std::string::npos);
}

} // namespace
