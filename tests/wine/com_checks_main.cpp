// The COM-level checks of quorvane.dll, run under Wine by
// scripts/wine-tests.sh: quorvane_com_checks.exe <path of quorvane.dll>.

#include <windows.h>

#include <objbase.h>

#include <string>

#include "tests/wine/checks.hpp"

int main(int argc, char **argv) {
  using namespace qv::comcheck;
  if (argc != 2) {
    std::printf("usage: quorvane_com_checks <quorvane.dll>\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Checks checks;
  checkErrorTranslation(checks);
  std::string path = argv[1];
  HMODULE module = LoadLibraryA(path.c_str());
  checks.expect(module != nullptr, "quorvane.dll loads from " + path);
  if (module) {
    wchar_t loaded[MAX_PATH] = {};
    GetModuleFileNameW(module, loaded, MAX_PATH);
    checkRegistration(checks, module, loaded);
    checkTypeLibrary(checks);
    checkClassInfos(checks);
    checkArguments(checks);
    checkNamedArguments(checks);
    checkMarshalling(checks);
    checkCollections(checks);
    checkUnloading(checks, module);
    checkMemory(checks);
  }
  int result = checks.finish();
  CoUninitialize();
  return result;
}
