#pragma once
// The IP-enabled network adapters of a computer.

#include <string_view>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv::inventory {

inline constexpr const char *kNicQuery =
    "Select * from Win32_NetworkAdapterConfiguration Where IPEnabled = True";

// Adapter records keyed by the adapter's index as text. No handler.
CollectionPtr readNicInfo(const Platform &platform, std::string_view computer);

// The elements of an address array keyed by their array position (from the
// array's own lower bound); an empty collection for Null. Anything else is
// no array and fails with 13.
CollectionPtr addressList(const Variant &addresses);

} // namespace qv::inventory
