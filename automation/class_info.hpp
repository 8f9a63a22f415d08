#pragma once
// The coclass a script host names an object by: found in the module's type
// library as the class whose default interface is the object's own, so a
// class added to the library needs no table of its own here.

#include <windows.h>

#include <oaidl.h>

namespace qv::com {

// The type information of the coclass whose [default] interface is iid;
// TYPE_E_ELEMENTNOTFOUND when the library has none.
HRESULT coclassInfoOf(REFIID defaultInterface, ITypeInfo **info);

} // namespace qv::com
