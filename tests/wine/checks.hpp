#pragma once
// The COM-level checks of quorvane.dll: the groups of checks main runs in
// order, on the shared check harness.

#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/checks.hpp"

namespace qv::comcheck {

using check::Checks;

std::string hex(long value);

// Each kind of exception becomes one HRESULT, EXCEPINFO and IErrorInfo.
void checkErrorTranslation(Checks &checks);
// Registration writes exactly the module's own keys and removes them again.
void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath);
// The type library against the dispatch tables of every class.
void checkTypeLibrary(Checks &checks);
// IProvideClassInfo2: each object names its coclass.
void checkClassInfos(Checks &checks);
// Argument forms, by-reference write-back, refusals and error reporting.
void checkArguments(Checks &checks);
// Named arguments resolved and placed as VBA sends them.
void checkNamedArguments(Checks &checks);
// Values and objects crossing in both directions.
void checkMarshalling(Checks &checks);
// The COM collection: default member by DISPID, IEnumVARIANT.
void checkCollections(Checks &checks);
// DllCanUnloadNow: S_FALSE while any object or lock lives, S_OK after.
void checkUnloading(Checks &checks, HMODULE module);
// 100,000 rounds of calls leave the process's private memory flat.
void checkMemory(Checks &checks);

} // namespace qv::comcheck
