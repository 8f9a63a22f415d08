// A client that knows the component only through its application manifest:
// creates each class named on the command line by programmatic name and
// ends with "N passed, N failed". Run beside quorvane.dll and its assembly
// manifest, with no registry key of the component present.

#include <windows.h>

#include <objbase.h>

#include <cstdio>

int main(int argc, char **argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  int failed = 0;
  for (int i = 1; i < argc; ++i) {
    wchar_t progId[256] = {};
    MultiByteToWideChar(CP_UTF8, 0, argv[i], -1, progId, 256);
    CLSID clsid{};
    IDispatch *object = nullptr;
    HRESULT hr = CLSIDFromProgID(progId, &clsid);
    if (SUCCEEDED(hr))
      hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                            reinterpret_cast<void **>(&object));
    if (object) object->Release();
    if (FAILED(hr) || !object) {
      ++failed;
      std::printf("FAIL: %s: 0x%08lx\n", argv[i], static_cast<unsigned long>(hr));
    }
  }
  std::printf("%d passed, %d failed\n", argc - 1 - failed, failed);
  CoUninitialize();
  return failed == 0 ? 0 : 1;
}
