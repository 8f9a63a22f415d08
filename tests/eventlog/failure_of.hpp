#pragma once
// The automation error a call raises; a test failure when it raises none.

#include <gtest/gtest.h>

#include "core/automation_error.hpp"

namespace qv::test {

template <class Call> AutomationError failureOf(Call &&call) {
  try {
    call();
  } catch (const AutomationError &error) {
    return error;
  }
  ADD_FAILURE() << "the call did not fail";
  return AutomationError(0, "", "");
}

} // namespace qv::test
