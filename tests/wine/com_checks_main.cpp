// The COM-level checks of quorvane.dll, run under Wine by
// scripts/wine-tests.sh: quorvane_com_checks.exe <path of quorvane.dll>.

#include <objbase.h>

#include "tests/wine/com_client.hpp"

int main(int argc, char **argv) {
  using namespace qv::comcheck;
  if (argc != 2) {
    std::printf("usage: quorvane_com_checks <quorvane.dll>\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Checks checks;
  checkErrorTranslation(checks);
  HMODULE module = LoadLibraryA(argv[1]);
  checks.expect(module != nullptr, std::string("quorvane.dll loads from ") + argv[1]);
  if (module) {
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(module, loaded, MAX_PATH);
    checkRegistration(checks, module, loaded);
    checkTypeLibrary(checks);
    checkArguments(checks);
    checkMarshalling(checks);
    checkUnloading(checks, module);
  }
  int result = checks.finish();
  CoUninitialize();
  return result;
}
