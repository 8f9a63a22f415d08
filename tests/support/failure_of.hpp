#pragma once
// What a call that should fail raised.

#include <gtest/gtest.h>

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

// The automation error number a call fails with, 0 when it does not fail.
template <class Call> int32_t errorNumberOf(Call &&call) {
  try {
    call();
  } catch (const AutomationError &error) {
    return error.number();
  }
  return 0;
}

} // namespace qv::test
