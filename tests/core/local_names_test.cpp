#include <gtest/gtest.h>

#include "core/local_names.hpp"
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

} // namespace
} // namespace qv
