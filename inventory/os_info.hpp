#pragma once
// The operating system of a computer, with its last boot and uptime.

#include <string>
#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

// One record from the first operating-system instance; empty when there is
// none. No handler.
CollectionPtr readOperatingSystem(const Platform &platform, std::string_view computer);

// "days,hours,minutes" from a boot moment to now, whole minutes with the
// seconds of both dropped. Both are in UTC: the boot date comes from the
// service's text with its offset applied. No handler.
std::string uptimeText(Date bootUtc, Date nowUtc);

} // namespace qv::inventory
