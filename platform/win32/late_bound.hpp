#pragma once
// Platform objects used late-bound, as a script uses them: bound by display
// name like GetObject, members found by name and called through IDispatch.
// Every failure is an AutomationError (platform_error.hpp).

#include <windows.h>

#include <oaidl.h>

#include <string_view>
#include <vector>

#include "platform/win32/com_ptr.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::win32 {

// Parses and binds a display name ("winmgmts://host", "WinNT://wg/pc",
// "IIS://host/W3svc") through the system's moniker parsing, so whichever
// provider is registered for the prefix serves it.
ComPtr<IDispatch> bindDisplayName(std::string_view displayName);

// The member's DISPID; 438 when the object has no such member.
DISPID memberId(IDispatch *object, std::string_view name);

VariantValue getProperty(IDispatch *object, std::string_view name);
void putProperty(IDispatch *object, std::string_view name, const VARIANT &value);

// Calls a method. Each argument is passed by reference (VT_BYREF|VT_VARIANT)
// so the method can write outputs back into args.
VariantValue callMethod(IDispatch *object, std::string_view name, std::vector<VariantValue> &args);
VariantValue callMethod(IDispatch *object, std::string_view name);

// The object's enumerator (DISPID_NEWENUM), for walking it item by item.
ComPtr<IEnumVARIANT> enumeratorOf(IDispatch *object);

// The object a value holds; a value holding none fails with 91 (or 13 when
// it holds something else).
ComPtr<IDispatch> dispatchIn(const VariantValue &value);

} // namespace qv::win32
