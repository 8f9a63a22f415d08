#include <gtest/gtest.h>

#include "core/local_names.hpp"
#include "tests/fakes/fake_system.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

TEST(LocalNamesTest, NamesAreTrimmedAndOnlyAFailedComputerNameFails) {
  fake::System system;
  system.computer = "  HOST  ";
  EXPECT_EQ(localComputerName(system), "HOST");
  system.workgroup = std::nullopt;
  EXPECT_EQ(localWorkgroup(system), "");
  system.computer = std::nullopt;
  EXPECT_EQ(test::errorNumberOf([&] { localComputerName(system); }), kInvalidCall);
}

} // namespace
} // namespace qv
