#include <gtest/gtest.h>

#include <functional>

#include "core/handlers.hpp"
#include "tests/support/failure_of.hpp"

namespace qv {
namespace {

using test::failureOf;

AutomationError platformFailure(std::string description = "The specified service does not exist.") {
  return AutomationError(static_cast<int32_t>(0x80070424), "Active Directory", std::move(description));
}

TEST(ErrorReportingTest, NestedReportsStackOuterFirstAndKeepNumberAndSource) {
  EXPECT_EQ(reportAndFail("unused", [] { return 7; }), 7);
  auto getService = [] {
    return reportAndFail("Error with getService", []() -> int { throw platformFailure(); });
  };
  AutomationError error = failureOf([&] {
    reportAndFail("Error getting running status for theW3SVC service", [&] { return getService(); });
  });
  EXPECT_EQ(error.number(), static_cast<int32_t>(0x80070424));
  EXPECT_EQ(error.source(), "Active Directory");
  EXPECT_EQ(error.description(), "Error getting running status for theW3SVC service: Error with getService: "
                                 "The specified service does not exist.");
  // raiseError reports the same way; an empty pending description still leaves the separator.
  EXPECT_EQ(failureOf([] { raiseError("error with getWorkgroups", platformFailure("")); }).description(),
            "error with getWorkgroups: ");
}

TEST(ErrorReportingTest, NoHandlerLeavesTheFailureUnchanged) {
  AutomationError error =
      failureOf([] { noHandler([]() -> int { throw runtimeError(kSubscriptOutOfRange); }); });
  EXPECT_EQ(error.number(), kSubscriptOutOfRange);
  EXPECT_EQ(error.source(), "Quorvane");
  EXPECT_EQ(error.description(), "Subscript out of range");
}

TEST(ErrorReportingTest, CaptureTurnsTheFailureIntoTheHandlersValue) {
  std::string message;
  bool reached = capture([]() -> bool { throw platformFailure(); },
                         [&](const AutomationError &pending) {
                           message = pending.description();
                           return false;
                         });
  EXPECT_FALSE(reached);
  EXPECT_EQ(message, "The specified service does not exist.");
  EXPECT_TRUE(capture([] { return true; }, [](const AutomationError &) { return false; }));
}

TEST(ErrorReportingTest, ToleratedStepKeepsPreviousValuesAndReturnsThePendingError) {
  std::string value = "before";
  auto pending = tolerate([&] {
    auto readProperty = []() -> std::string { throw platformFailure(); };
    value = readProperty();
  });
  ASSERT_TRUE(pending.has_value());
  EXPECT_EQ(pending->number(), static_cast<int32_t>(0x80070424));
  EXPECT_EQ(value, "before");
  EXPECT_FALSE(tolerate([&] { value = "after"; }).has_value());
  EXPECT_EQ(value, "after");
}

} // namespace
} // namespace qv
