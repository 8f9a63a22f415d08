#pragma once
// Fleet workers on the host: each one a thread of its own in the
// multithreaded apartment, holding a reference on this DLL (so the module
// is not unloaded under it and DllCanUnloadNow answers S_FALSE while it
// runs); the caller waits on an event while its apartment keeps pumping.

#include "fleet/fleet_runner.hpp"

namespace qv::com {

fleet::Workers &comWorkers();

} // namespace qv::com
