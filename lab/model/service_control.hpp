#pragma once
// State changes of a WinNT service object, refused as the service control
// manager refuses them. A start, stop, pause or continue returns at once and
// leaves the service in its pending state for the service's own time; the
// first look at it after that time finds the state it was heading for.
// Times are milliseconds of one steady clock, given by the caller.

#include "lab/model/fleet.hpp"

namespace qv::lab {

inline constexpr int32_t kServiceStopped = 1;
inline constexpr int32_t kServiceStartPending = 2;
inline constexpr int32_t kServiceStopPending = 3;
inline constexpr int32_t kServiceRunning = 4;
inline constexpr int32_t kServiceContinuePending = 5;
inline constexpr int32_t kServicePausePending = 6;
inline constexpr int32_t kServicePaused = 7;
inline constexpr int32_t kStartDisabled = 4;

// The service's status at nowMs; a pending state whose time is up settles.
int32_t serviceStatus(DirNode &service, int64_t nowMs);

// Starts the stopped services it depends on first; the manager waits for
// those to run, so only the service asked for is left start pending.
void startService(DirNode &service, int64_t nowMs);
// Refused while a running service depends on it, or when it does not stop.
void stopService(DirNode &service, int64_t nowMs);
void pauseService(DirNode &service, int64_t nowMs);
void continueService(DirNode &service, int64_t nowMs);

// Refuses values a service cannot hold before SetInfo commits them.
void checkServiceWrite(std::string_view property, const Value &value);

} // namespace qv::lab
