#pragma once
// The event types a script names, as the management service numbers them in
// Win32_NTLogEvent's EventType.

#include <cstdint>
#include <string_view>
#include <vector>

namespace qv {

// The EventType numbers of a comma-separated list of type names ("Error",
// "Warning", "Information", "Security Audit Success", "Security Audit
// Failure"), in any letter case, with blanks around each name; each number
// once, in the order first named. A blank list names none. Any other entry
// fails with 5, its text quoted in the description.
std::vector<int32_t> eventTypeNumbers(std::string_view list);

} // namespace qv
