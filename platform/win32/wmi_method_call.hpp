#pragma once
// Method calls on management objects. The methods whose outputs are
// parameters (GetOwner) or whose inputs are named (Terminate) go through
// ExecMethod_ with parameter objects, which every scripting provider serves;
// any other method is called by name with its arguments by reference.

#include <windows.h>

#include <oaidl.h>

#include <string_view>
#include <vector>

#include "core/variant.hpp"
#include "platform/win32/variant_convert.hpp"

namespace qv::win32 {

Variant callManagementMethod(IDispatch *object, std::string_view method, std::vector<Variant> &args,
                             const ObjectBridge &bridge);

} // namespace qv::win32
