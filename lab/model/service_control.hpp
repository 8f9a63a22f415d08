#pragma once
// State changes of a WinNT service object, refused as the service control
// manager refuses them. Status codes: 1 stopped, 4 running, 7 paused.

#include "lab/model/fleet.hpp"

namespace qv::lab {

inline constexpr int32_t kServiceStopped = 1;
inline constexpr int32_t kServiceRunning = 4;
inline constexpr int32_t kServicePaused = 7;
inline constexpr int32_t kStartDisabled = 4;

// Starts the stopped services it depends on first.
void startService(DirNode &service);
// Refused while a running service depends on it, or when it does not stop.
void stopService(DirNode &service);
void pauseService(DirNode &service);
void continueService(DirNode &service);

// Refuses values a service cannot hold before SetInfo commits them.
void checkServiceWrite(std::string_view property, const Value &value);

} // namespace qv::lab
