#pragma once
// The COM-level checks of quorvane.dll: a minimal recorder (each check
// prints on failure, and the run ends with "N passed, N failed") and the
// groups of checks main runs in order.

#include <windows.h>

#include <cstdio>
#include <string>

namespace qv::comcheck {

class Checks {
public:
  void expect(bool ok, const std::string &what) {
    if (ok) {
      ++passed_;
    } else {
      ++failed_;
      std::printf("FAIL: %s\n", what.c_str());
    }
  }
  int finish() const {
    std::printf("%d passed, %d failed\n", passed_, failed_);
    return failed_ == 0 ? 0 : 1;
  }

private:
  int passed_ = 0;
  int failed_ = 0;
};

std::string hex(long value);

// Each kind of exception becomes one HRESULT, EXCEPINFO and IErrorInfo.
void checkErrorTranslation(Checks &checks);
// Registration writes exactly the module's own keys and removes them again.
void checkRegistration(Checks &checks, HMODULE module, const std::wstring &modulePath);
// The type library against the dispatch tables of every class.
void checkTypeLibrary(Checks &checks);
// Argument forms, by-reference write-back, refusals and error reporting.
void checkArguments(Checks &checks);
// Values and objects crossing in both directions.
void checkMarshalling(Checks &checks);
// The COM collection: default member by DISPID, IEnumVARIANT.
void checkCollections(Checks &checks);
// DllCanUnloadNow: S_FALSE while any object or lock lives, S_OK after.
void checkUnloading(Checks &checks, HMODULE module);
// 100,000 rounds of calls leave the process's private memory flat.
void checkMemory(Checks &checks);

} // namespace qv::comcheck
