#pragma once
// Entries of the logs made by rule, made on demand: a log of a million
// entries costs nothing until its entries are walked.

#include "lab/model/fleet.hpp"

namespace qv::lab {

// The Win32_NTLogEvent instance for record (firstRecord..newestRecord).
InstancePtr makeEvent(const Computer &computer, const EventLogRule &rule, int32_t record);

} // namespace qv::lab
