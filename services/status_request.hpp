#pragma once
// Which method of a service object carries out a requested status.

#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// "start" for 4, "Stop" for 1 and 999, "Pause" for 6; nothing for any other
// status (there is no request that continues a paused service).
std::optional<std::string_view> statusRequestMethod(int32_t status);

} // namespace qv
