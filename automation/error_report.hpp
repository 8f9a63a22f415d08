#pragma once
// How an automation error reaches the caller: the HRESULT that scripts turn
// back into Err.Number, EXCEPINFO for IDispatch::Invoke, and the thread's
// IErrorInfo for clients that ask for it.

#include <windows.h>

#include <oaidl.h>

#include "core/automation_error.hpp"

namespace qv::com {

// Runtime numbers n (below 0x10000) become 0x800A0000 | n; a platform
// HRESULT passes unchanged.
HRESULT hresultOf(int32_t number);

// Sets the thread's error information and fills info (when not null) with
// scode, source and description, never wCode. Returns what Invoke returns:
// DISP_E_EXCEPTION with info, else the error's own HRESULT.
HRESULT reportFailure(const AutomationError &error, REFIID iid, EXCEPINFO *info);

// Drops the thread's error information, so a later failure that carries
// none is not mistaken for an earlier one.
void clearErrorInfo();

} // namespace qv::com
