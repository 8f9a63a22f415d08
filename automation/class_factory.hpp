#pragma once
// The class object DllGetClassObject hands out for a creatable class.

#include <windows.h>

#include <objbase.h>

#include "automation/class_catalog.hpp"

namespace qv::com {

// S_OK and the factory's interface iid in out, or the HRESULT of the
// failure; throws when the factory cannot be made (DllGetClassObject
// translates).
HRESULT getClassFactory(const CreatableClass &entry, REFIID iid, void **out);

} // namespace qv::com
