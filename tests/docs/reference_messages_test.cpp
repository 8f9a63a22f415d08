#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

std::string readFile(const fs::path &path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every message text the product's code gives a failure: the handlers'
// messages, descriptions of its own errors, and message constants.
std::vector<std::pair<std::string, std::string>> messagesInSources(const fs::path &root) {
  static const std::regex forms[] = {
      std::regex(R"((?:reportAndFail|raiseError)\(\s*"([^"]+)\")"),
      std::regex(R"(runtimeError\(k\w+,\s*"([^"]+)\")"),
      std::regex(R"(AutomationError\([^,()]+,\s*kSource,\s*"([^"]+)\")"),
      std::regex(R"(constexpr const char \*k\w*Message = "([^"]+)\")"),
  };
  std::vector<std::pair<std::string, std::string>> found;
  for (const char *area : {"core", "services", "iis", "inventory", "processes", "eventlog", "terminal",
                           "tools", "automation", "platform/common"}) {
    for (const auto &entry : fs::recursive_directory_iterator(root / area)) {
      if (entry.path().extension() != ".cpp" && entry.path().extension() != ".hpp") continue;
      std::string text = readFile(entry.path());
      for (const std::regex &form : forms)
        for (auto it = std::sregex_iterator(text.begin(), text.end(), form); it != std::sregex_iterator();
             ++it)
          found.emplace_back(entry.path().lexically_relative(root).string(), (*it)[1].str());
    }
  }
  return found;
}

std::string trimmed(std::string text) {
  while (!text.empty() && text.back() == ' ')
    text.pop_back();
  while (!text.empty() && text.front() == ' ')
    text.erase(text.begin());
  return text;
}

TEST(ReferenceMessagesTest, EveryMessageOfTheCodeIsInTheReference) {
  const fs::path root = QV_SOURCE_DIR;
  const std::string reference = readFile(root / "docs/reference.md");
  auto messages = messagesInSources(root);
  EXPECT_GT(messages.size(), 30u); // the scan itself works
  for (const auto &[file, message] : messages)
    EXPECT_NE(reference.find(trimmed(message)), std::string::npos) << file << ": \"" << message << "\"";
}

} // namespace
