#pragma once
// The IIS: metabase paths, by plain concatenation: the computer name is kept
// exactly as the caller gave it and the provider reports a wrong one.

#include <cstdint>
#include <string>
#include <string_view>

namespace qv {

// "IIS://" + computer: the metabase computer object (backups).
inline std::string iisComputerPath(std::string_view computer) { return "IIS://" + std::string(computer); }

// "IIS://" + computer + "/W3svc": the web service node, parent of the sites.
inline std::string webServicePath(std::string_view computer) { return iisComputerPath(computer) + "/W3svc"; }

// "IIS://" + computer + "/W3svc/" + the site number in decimal.
inline std::string webSitePath(std::string_view computer, int32_t siteId) {
  return webServicePath(computer) + "/" + std::to_string(siteId);
}

inline constexpr const char *kWebServerClass = "IIsWebServer";
inline constexpr const char *kVirtualDirClass = "IIsWebVirtualDir";

} // namespace qv
