#include <gtest/gtest.h>

#include "core/local_names.hpp"
#include "tests/fakes/fake_system.hpp"

namespace qv {
namespace {

TEST(LocalNamesTest, NamesAreTrimmedAndAMissingWorkgroupIsBlank) {
  fake::System system;
  system.computer = "  HOST  ";
  EXPECT_EQ(localComputerName(system), "HOST");
  system.workgroup = std::nullopt;
  EXPECT_EQ(localWorkgroup(system), "");
}

} // namespace
} // namespace qv
