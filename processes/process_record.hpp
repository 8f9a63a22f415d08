#pragma once
// The seven-field record of one "Win32_Process" instance.

#include <string>

#include "core/collection.hpp"
#include "core/management.hpp"
#include "core/regional.hpp"

namespace qv {

// Adds "Caption", "Started", "Priority", "id", "Name", "MemUsage" and
// "UserId", in this order, to record. Property values are kept as the
// service delivers them except "MemUsage" (kilobytes as text + " K") and
// "UserId" (GetOwner's user when it returns 0, else "").
void addProcessFields(Collection &record, ManagementObject &instance, const Regional &regional);

// "MemUsage": bytes / 1024 in the runtime's double-to-text form, then " K".
std::string memUsageText(const Variant &workingSetSize, const Regional &regional);

// "Select * from Win32_Process where ProcessId=" + the number in decimal.
std::string processQuery(int32_t processId);

} // namespace qv
