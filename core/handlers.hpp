#pragma once
// The error reporter and the four handler shapes. Each method states its
// shape in one line by wrapping its body in one of these helpers.

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "core/automation_error.hpp"

namespace qv {

// Raises a new error with the pending error's number and source and the
// description message + ": " + the pending description. Never returns.
[[noreturn]] void raiseError(std::string_view message, const AutomationError &pending);

// Shape 1, report and fail: any failure of the body is reported with message.
template <class Body> decltype(auto) reportAndFail(std::string_view message, Body &&body) {
  try {
    return std::forward<Body>(body)();
  } catch (const AutomationError &pending) {
    raiseError(message, pending);
  }
}

// Shape 2, no handler: a failure leaves unchanged. Spelled out so the shape
// of each method is visible where it is written.
template <class Body> decltype(auto) noHandler(Body &&body) { return std::forward<Body>(body)(); }

// Shape 3, capture: a failure becomes onFailure(pending)'s result.
template <class Body, class OnFailure> decltype(auto) capture(Body &&body, OnFailure &&onFailure) {
  try {
    return std::forward<Body>(body)();
  } catch (const AutomationError &pending) {
    return std::forward<OnFailure>(onFailure)(pending);
  }
}

// Shape 4, a tolerated step: a failure skips the step and is returned as the
// pending error, for callers that test for an error after the step.
template <class Step> std::optional<AutomationError> tolerate(Step &&step) {
  try {
    std::forward<Step>(step)();
    return std::nullopt;
  } catch (const AutomationError &pending) {
    return pending;
  }
}

} // namespace qv
