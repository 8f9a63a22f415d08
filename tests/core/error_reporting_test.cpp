#include <gtest/gtest.h>

#include "core/handlers.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

// How reports stack, and that they keep the number and source, every
// class's failure tables show; only a pending failure without a
// description is left to this one.
TEST(ErrorReportingTest, AnEmptyPendingDescriptionStillLeavesTheSeparator) {
  const AutomationError pending(static_cast<int32_t>(0x80070424), "Active Directory", "");
  EXPECT_EQ(test::failureOf([&] { raiseError("error with getWorkgroups", pending); }).description(),
            "error with getWorkgroups: ");
}

} // namespace
} // namespace qv
