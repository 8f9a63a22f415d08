#pragma once
// The code tables that turn a site's numeric state, execute permissions and
// isolation level into texts. The site holder and the keyed site record share
// them; they differ only in what a code outside a table gives (a fixed
// "unknown" text in the holder, a missing key in the record).

#include <cstdint>
#include <optional>
#include <string>

namespace qv {

inline constexpr const char *kUnknownState = "Unknown state";
inline constexpr const char *kUnknownProcessLevel = "Unknown process level";

// ServerState: 2 "Running", 4 "Stopped", 6 "Paused"; nullopt otherwise.
std::optional<std::string> stateText(int32_t serverState);

// appIsolated: 0 "Low (IIS Process)", 1 "High (isolated)", 2 "Medium (pooled)";
// nullopt otherwise.
std::optional<std::string> processLevelText(int32_t appIsolated);

struct ExecuteLevel {
  int32_t level;
  std::string text;
};

// From the root directory's accessScript and AccessExecute: executables
// count only together with scripts.
ExecuteLevel executeLevelFor(bool accessScript, bool accessExecute);

} // namespace qv
