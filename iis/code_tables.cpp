#include "iis/code_tables.hpp"

namespace qv {

std::optional<std::string> stateText(int32_t serverState) {
  switch (serverState) {
  case 2: return "Running";
  case 4: return "Stopped";
  case 6: return "Paused";
  default: return std::nullopt;
  }
}

std::optional<std::string> processLevelText(int32_t appIsolated) {
  switch (appIsolated) {
  case 0: return "Low (IIS Process)";
  case 1: return "High (isolated)";
  case 2: return "Medium (pooled)";
  default: return std::nullopt;
  }
}

ExecuteLevel executeLevelFor(bool accessScript, bool accessExecute) {
  if (!accessScript) return {1, "None"};
  if (accessExecute) return {3, "Scripts and Executables"};
  return {2, "Scripts only"};
}

} // namespace qv
