#pragma once
// The creatable classes: programmatic name, class identifier and how a new
// object is made. IisTool is private to the component and not listed.

#include <windows.h>

#include <oaidl.h>
#include <objbase.h>

#include <span>

#include "core/platform.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {

struct CreatableClass {
  const wchar_t *progId;
  const CLSID *clsid;
  win32::ComPtr<IDispatch> (*create)(const Platform &platform);
};

std::span<const CreatableClass> creatableClasses();
const CreatableClass *findClass(REFCLSID clsid);

// The platform of the host every new object receives.
Platform hostPlatform();

} // namespace qv::com
