// The module can be unloaded once a client has released everything, and
// repeated calls neither leak nor grow.

#include <windows.h>

#include <psapi.h>

#include <cstdio>

#include "quorvane_h.h"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

using CanUnload = HRESULT(STDAPICALLTYPE *)();

// The process's committed private memory (PagefileUsage: Wine fills it,
// PrivateUsage stays 0 there).
SIZE_T privateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                       sizeof counters);
  return counters.PagefileUsage;
}

// One round of the calls a script makes most: a cheap method, a
// by-reference write-back, a failure with exception information, and a
// walk over a result.
void oneRound(IDispatch *util, IDispatch *record) {
  call(util, L"Val", {*owned(text(L"12.5")).get()});
  VariantValue stamp = owned(text(L" 20240102030405.000000+060 "));
  call(util, L"translateStringDate", {byRef(stamp.get())});
  call(util, L"formatDateTime", {date(45000.5), int32(9)});

  CallResult walk = call(record, L"_NewEnum", {}, DISPATCH_METHOD | DISPATCH_PROPERTYGET);
  if (walk.value.type() == VT_UNKNOWN) {
    ComPtr<IEnumVARIANT> items;
    V_UNKNOWN(walk.value.get())->QueryInterface(IID_IEnumVARIANT, items.putVoid());
    VariantValue item;
    ULONG fetched = 0;
    while (items && items->Next(1, item.put(), &fetched) == S_OK) {
    }
  }
}

} // namespace

void checkUnloading(Checks &checks, HMODULE module) {
  auto canUnload =
      reinterpret_cast<CanUnload>(reinterpret_cast<void *>(GetProcAddress(module, "DllCanUnloadNow")));
  checks.expect(canUnload != nullptr, "DllCanUnloadNow is exported");
  if (!canUnload) return;
  checks.expect(canUnload() == S_OK, "DllCanUnloadNow is S_OK once every earlier object is released");
  {
    ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
    CallResult os = info ? call(info.get(), L"osInfo", {*owned(text(L".")).get()}) : CallResult{};
    info.reset();
    checks.expect(canUnload() == S_FALSE, "a result collection keeps the module loaded");
    CallResult walk = os.value.type() == VT_DISPATCH ? call(V_DISPATCH(os.value.get()), L"_NewEnum", {},
                                                            DISPATCH_METHOD | DISPATCH_PROPERTYGET)
                                                     : CallResult{};
    os.value.put();
    checks.expect(walk.value.type() == VT_UNKNOWN && canUnload() == S_FALSE,
                  "an enumerator keeps the module loaded");
  }
  checks.expect(canUnload() == S_OK, "DllCanUnloadNow is S_OK after the last release");

  ComPtr<IClassFactory> factory;
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  checks.expect(factory && canUnload() == S_FALSE, "a class object keeps the module loaded");
  if (!factory) return;
  factory->LockServer(TRUE);
  factory.reset();
  checks.expect(canUnload() == S_FALSE, "a server lock keeps the module loaded");
  CoGetClassObject(CLSID_Util, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory, factory.putVoid());
  factory->LockServer(FALSE);
  ComPtr<IDispatch> refused;
  HRESULT aggregated =
      factory->CreateInstance(reinterpret_cast<IUnknown *>(factory.get()), IID_IUnknown, refused.putVoid());
  checks.expect(aggregated == CLASS_E_NOAGGREGATION, "aggregation is refused");
  factory.reset();
  checks.expect(canUnload() == S_OK, "DllCanUnloadNow is S_OK after unlocking");
}

void checkMemory(Checks &checks) {
  ComPtr<IDispatch> util = create(L"Quorvane.Util");
  ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
  if (!util || !info) return;
  CallResult os = call(info.get(), L"osInfo", {*owned(text(L".")).get()});
  if (os.value.type() != VT_DISPATCH) return;
  IDispatch *record = V_DISPATCH(os.value.get());

  for (int i = 0; i < 20000; ++i)
    oneRound(util.get(), record);
  SIZE_T before = privateBytes();
  DWORD started = GetTickCount();
  for (int i = 0; i < 100000; ++i)
    oneRound(util.get(), record);
  DWORD elapsed = GetTickCount() - started;
  SIZE_T after = privateBytes();
  long long growth = static_cast<long long>(after) - static_cast<long long>(before);
  std::printf("memory: %llu bytes private before, %llu after 100,000 rounds (%lld), %lu ms\n",
              static_cast<unsigned long long>(before), static_cast<unsigned long long>(after), growth,
              static_cast<unsigned long>(elapsed));
  checks.expect(before > 0, "private memory can be measured");
  checks.expect(growth < 1024LL * 1024,
                "100,000 rounds of calls keep private memory flat (growth under 1 MiB)");
}

} // namespace qv::comcheck
