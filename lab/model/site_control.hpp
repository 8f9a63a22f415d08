#pragma once
// State changes of a web site (ServerState 2 started, 4 stopped, 6 paused).
// A site whose bindings another started site already serves cannot start.

#include "lab/model/fleet.hpp"

namespace qv::lab {

inline constexpr int32_t kSiteStarted = 2;
inline constexpr int32_t kSiteStopped = 4;
inline constexpr int32_t kSitePaused = 6;

void startSite(DirNode &site);
void stopSite(DirNode &site);
void pauseSite(DirNode &site);
void continueSite(DirNode &site);

} // namespace qv::lab
