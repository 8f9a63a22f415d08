#pragma once
// IEnumVARIANT over a core collection, for For Each and JScript's
// Enumerator: the items themselves from position 1 upwards, objects as live
// COM objects.

#include <windows.h>

#include <oaidl.h>

#include "automation/com_bridge.hpp"
#include "core/collection.hpp"

namespace qv::com {

// A new enumerator holding one reference, positioned before the first item.
IUnknown *enumerateCollection(const CollectionPtr &collection, const ComBridge &bridge);

} // namespace qv::com
