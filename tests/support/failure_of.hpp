#pragma once
// What a call that should fail raised.

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "core/automation_error.hpp"

namespace qv::test {

// The automation error a call raises; a test failure when it raises none.
template <class Call> AutomationError failureOf(Call &&call) {
  try {
    call();
  } catch (const AutomationError &error) {
    return error;
  }
  ADD_FAILURE() << "the call did not fail";
  return AutomationError(0, "", "");
}

// The number and description of the automation error a call raises, {0, ""}
// when it does not fail: one value to compare, so a wrong text shows with
// its number.
using Raised = std::pair<int32_t, std::string>;
template <class Call> Raised raisedBy(Call &&call) {
  try {
    call();
  } catch (const AutomationError &error) {
    return {error.number(), error.description()};
  }
  return {0, ""};
}

// The automation error number a call fails with, 0 when it does not fail.
template <class Call> int32_t errorNumberOf(Call &&call) { return raisedBy(std::forward<Call>(call)).first; }

} // namespace qv::test
