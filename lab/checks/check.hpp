#pragma once
// The lab's model checks use the shared check harness; failsWith is the
// lab's own: whether a call failed with a given lab error code.

#include <cstdint>
#include <functional>

#include "tests/support/checks.hpp"

namespace qv::lab::checks {

// Runs body and tells whether it threw a LabError with that code.
bool failsWith(uint32_t code, const std::function<void()> &body);

} // namespace qv::lab::checks
