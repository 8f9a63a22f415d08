#pragma once
// The one translation from a failure to what a COM caller sees: the HRESULT
// that scripts turn back into Err.Number, EXCEPINFO for IDispatch::Invoke,
// and the thread's IErrorInfo for clients that ask for it. Every entry point
// of a module ends in
//
//   catch (...) { return failCurrentCall(iid, info); }
//
// so no exception crosses into the caller and each kind of failure gets the
// same answer at every entry.

#include <windows.h>

#include <oaidl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "core/automation_error.hpp"

namespace qv::com {

// A failure as the caller receives it. Without a description it is a bare
// HRESULT: the client shows its own text for it, and no error information
// is left on the thread.
struct ComFailure {
  HRESULT hr = E_UNEXPECTED;
  std::string source;
  std::string description;
};

// Runtime numbers n (below 0x10000) become 0x800A0000 | n; a platform
// HRESULT passes unchanged; any other number is E_FAIL.
HRESULT hresultOf(int32_t number);

// What the exception being handled means for the caller: an
// AutomationError its number, source (defaultSource when it has none) and
// description; exhausted memory a bare E_OUTOFMEMORY; any other
// std::exception E_UNEXPECTED with its text; anything else a bare
// E_UNEXPECTED. Only inside a catch block.
ComFailure currentFailure(std::string_view defaultSource = kSource) noexcept;

// Sets (or, for a bare HRESULT, clears) the thread's error information and
// fills info when the caller gave one. Returns what Invoke returns:
// DISP_E_EXCEPTION when info was filled, else the failure's HRESULT.
HRESULT reportFailure(const ComFailure &failure, REFIID iid, EXCEPINFO *info) noexcept;

// currentFailure reported: what a catch (...) at an entry point returns.
HRESULT failCurrentCall(REFIID iid, EXCEPINFO *info = nullptr,
                        std::string_view defaultSource = kSource) noexcept;

// Drops the thread's error information, so a later failure that carries
// none is not mistaken for an earlier one.
void clearErrorInfo() noexcept;

} // namespace qv::com
