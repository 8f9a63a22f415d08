#include <gtest/gtest.h>

#include "core/local_names.hpp"
#include "core/targets.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

TEST(LocalNamesTest, ComputerNameIsTrimmedAndWithoutTheTerminator) {
  const std::pair<const char *, const char *> cases[] = {
      {"ADMINHOST", "ADMINHOST"},
      {"  HOST  ", "HOST"},
      {"", ""},
      {"two words", "two words"},
  };
  for (auto [name, expected] : cases) {
    fake::System system;
    system.computer = name;
    EXPECT_EQ(localComputerName(system), expected) << '"' << name << '"';
  }
  fake::System system;
  system.computer = std::string(600, 'N');
  EXPECT_EQ(localComputerName(system), std::string(511, 'N'));
}

TEST(LocalNamesTest, FailedComputerNameCallFailsWithoutAMessage) {
  fake::System system;
  system.computer = std::nullopt;
  try {
    localComputerName(system);
    FAIL() << "no error";
  } catch (const AutomationError &error) {
    EXPECT_EQ(error.number(), kInvalidCall);
    EXPECT_EQ(error.description(), "Invalid procedure call or argument");
  }
}

TEST(LocalNamesTest, WorkgroupIsTrimmedAndEmptyOnAnErrorStatus) {
  fake::System system;
  system.workgroup = u" LAB ";
  EXPECT_EQ(localWorkgroup(system), "LAB");
  system.workgroup = std::nullopt;
  EXPECT_EQ(localWorkgroup(system), "");
  system.workgroup = u"\u00C4RGER";
  EXPECT_EQ(localWorkgroup(system), "\xC3\x84RGER");
  system.workgroup = u"LAB";
  system.workgroupStatus = 2138;
  EXPECT_EQ(localWorkgroup(system), "");
}

TEST(LocalNamesTest, TextAtPointerReadsUtf16) {
  EXPECT_EQ(textAtPointer(nullptr), "");
  EXPECT_EQ(textAtPointer(u""), "");
  EXPECT_EQ(textAtPointer(u"WORKGROUP"), "WORKGROUP");
  EXPECT_EQ(textAtPointer(u"a\xD83D\xDE00z"), "a\xF0\x9F\x98\x80z");
  EXPECT_EQ(textAtPointer(u"\x20AC"), "\xE2\x82\xAC");
}

TEST(LocalNamesTest, Utf16ConversionsRoundTripAndReplaceBrokenSequences) {
  const char *samples[] = {"", "plain", "\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80", "\xEF\xBF\xBD"};
  for (const char *sample : samples)
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(sample)), sample);
  EXPECT_EQ(utf16ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(utf16ToUtf8(u"\xDC00x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(utf8ToUtf16("a\xFF"
                        "b"),
            u"a\xFFFD"
            u"b");
  EXPECT_EQ(utf8ToUtf16("\xE2\x82"), u"\xFFFD\xFFFD");
}

TEST(TargetPathTest, NamesAreConcatenatedUnchanged) {
  EXPECT_EQ(workgroupPath(""), "WinNT://");
  EXPECT_EQ(computerPath("", ""), "WinNT:///");
  EXPECT_EQ(servicePath("", "", "W3SVC"), "WinNT:////W3SVC,Service");
  EXPECT_EQ(servicePath(" LAB", "WEB01 ", "W3SVC"), "WinNT:// LAB/WEB01 /W3SVC,Service");
  EXPECT_EQ(connectionTestPath("LAB", "   "), "WinNT://LAB");
  EXPECT_EQ(connectionTestPath("LAB", " WEB01 "), "WinNT://LAB/ WEB01 ");
}

} // namespace
} // namespace qv
