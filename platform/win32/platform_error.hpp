#pragma once
// Failures of platform objects as automation errors: the platform's number,
// source and description, as a late-bound script call would see them.

#include <windows.h>

#include <oaidl.h>
#include <oleauto.h>

#include <string_view>

#include "core/automation_error.hpp"

namespace qv::win32 {

// The error for a failed HRESULT. With DISP_E_EXCEPTION the exception
// information is read (deferred fill-in included); otherwise the thread's
// error information, else the system's text for the code. A member the
// object lacks becomes 438. Runtime-style codes 0x800A0000 | n become n.
AutomationError platformError(HRESULT hr, EXCEPINFO *info = nullptr);

[[noreturn]] void throwPlatformError(HRESULT hr, EXCEPINFO *info = nullptr);

// Drops the thread's error information before a platform call, so that
// what platformError finds after a failure is that call's own.
inline void forgetErrorInfo() { SetErrorInfo(0, nullptr); }

inline void check(HRESULT hr) {
  if (FAILED(hr)) throwPlatformError(hr);
}

} // namespace qv::win32
