#include <gtest/gtest.h>

#include "core/local_names.hpp"
#include "core/targets.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::errorNumberOf;

TEST(LocalNamesTest, NamesAreTrimmedAndOnlyAFailedComputerNameFails) {
  fake::System system;
  system.computer = "  HOST  ";
  system.workgroup = " LAB ";
  EXPECT_EQ(localComputerName(system), "HOST");
  EXPECT_EQ(localWorkgroup(system), "LAB");
  system.workgroup = std::nullopt;
  EXPECT_EQ(localWorkgroup(system), "");
  system.computer = std::nullopt;
  EXPECT_EQ(errorNumberOf([&] { localComputerName(system); }), kInvalidCall);
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
