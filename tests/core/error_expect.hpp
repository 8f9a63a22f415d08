#pragma once
// The automation error number a call fails with, 0 when it does not fail.

#include "core/automation_error.hpp"

namespace qv::test {

template <class Call> int32_t errorNumberOf(Call &&call) {
  try {
    call();
  } catch (const AutomationError &error) {
    return error.number();
  }
  return 0;
}

} // namespace qv::test
