#include <gtest/gtest.h>

#include <tuple>

#include "core/handlers.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::failureOf;

AutomationError platformFailure(std::string description = "The specified service does not exist.") {
  return AutomationError(static_cast<int32_t>(0x80070424), "Active Directory", std::move(description));
}

TEST(ErrorReportingTest, NestedReportsStackOuterFirstAndKeepNumberAndSource) {
  auto getService = [] {
    return reportAndFail("Error with getService", []() -> int { throw platformFailure(); });
  };
  AutomationError error = failureOf([&] { reportAndFail("Error getting status", getService); });
  EXPECT_EQ(std::tuple(error.number(), error.source(), error.description()),
            std::tuple(static_cast<int32_t>(0x80070424), "Active Directory",
                       "Error getting status: Error with getService: The specified service does not exist."));
  // An empty pending description still leaves the separator.
  EXPECT_EQ(failureOf([] { raiseError("error with getWorkgroups", platformFailure("")); }).description(),
            "error with getWorkgroups: ");
  EXPECT_EQ(failureOf([] { throw runtimeError(kSubscriptOutOfRange); }).description(),
            "Subscript out of range");
}

} // namespace
} // namespace qv
