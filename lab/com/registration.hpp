#pragma once
// Registration of the lab's providers in the current (private) prefix: each
// programmatic name ("WinNT", "IIS", "winmgmts") names a lab class, and the
// lab's folder is recorded for its host tools.

#include <windows.h>

namespace qv::lab {

HRESULT registerProviders();
// Removes the lab's classes and those programmatic names that still name
// them, and the recorded folder.
HRESULT unregisterProviders();

inline constexpr const wchar_t *kLabKey = L"SOFTWARE\\QuorvaneLab";

} // namespace qv::lab
