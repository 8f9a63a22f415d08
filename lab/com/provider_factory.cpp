#include "lab/com/provider_factory.hpp"

#include <mutex>

#include "com/module_counts.hpp"
#include "lab/com/directory_object.hpp"
#include "lab/com/dispatch_base.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/wmi_objects.hpp"
#include "lab/model/directory_paths.hpp"
#include "lab/model/management.hpp"
#include "platform/win32/bstr.hpp"

namespace qv::lab {
namespace {

const ProviderInfo kProviders[] = {
    {Provider::WinNT,
     {0xda37e7b8, 0x4f4e, 0x42a4, {0xbd, 0x71, 0x58, 0xfa, 0xbe, 0x0c, 0x65, 0x57}},
     L"WinNT",
     L"Quorvane lab: simulated WinNT: directory provider"},
    {Provider::IIS,
     {0x1eabd2a4, 0x7015, 0x4d32, {0xa1, 0x19, 0x85, 0x40, 0x5b, 0xb8, 0xd1, 0xe7}},
     L"IIS",
     L"Quorvane lab: simulated IIS: metabase provider"},
    {Provider::Management,
     {0xc851b225, 0x5a3a, 0x4aa6, {0xa4, 0x48, 0x8f, 0x5a, 0x4c, 0x44, 0xad, 0x02}},
     L"winmgmts",
     L"Quorvane lab: simulated management service"},
};

com::ComPtr<IDispatch> bind(Provider provider, const std::string &name) {
  LabState &lab = LabState::instance();
  Fleet &fleet = lab.fleet();
  switch (provider) {
  case Provider::WinNT:
    return com::upcast<IDispatch>(com::makeComObject<DirectoryObject>(bindWinNT(fleet, name, lab.local())));
  case Provider::IIS:
    return com::upcast<IDispatch>(com::makeComObject<DirectoryObject>(bindIIS(fleet, name, lab.local())));
  case Provider::Management:
    return com::upcast<IDispatch>(
        com::makeComObject<WmiService>(connectManagement(fleet, name, lab.local()), privilegesOf(name)));
  }
  return {};
}

} // namespace

const ProviderInfo *providers(std::size_t &count) {
  count = std::size(kProviders);
  return kProviders;
}

void *ProviderFactory::find(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory))
    return static_cast<IClassFactory *>(this);
  if (IsEqualIID(iid, IID_IParseDisplayName)) return static_cast<IParseDisplayName *>(this);
  return nullptr;
}

// An instance is the provider's parser again: the names are what it serves.
HRESULT ProviderFactory::CreateInstance(IUnknown *outer, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  try {
    return com::makeComObject<ProviderFactory>(provider_)->QueryInterface(iid, out);
  } catch (...) {
    return failLabCall(IID_IClassFactory, nullptr, "QuorvaneLab");
  }
}

HRESULT ProviderFactory::LockServer(BOOL lock) {
  com::lockModule(lock != FALSE);
  return S_OK;
}

HRESULT ProviderFactory::ParseDisplayName(IBindCtx *, LPOLESTR name, ULONG *eaten, IMoniker **moniker) {
  if (!name || !eaten || !moniker) return E_POINTER;
  *moniker = nullptr;
  *eaten = 0;
  try {
    com::ComPtr<IDispatch> object;
    const Computer *host = nullptr;
    {
      std::lock_guard lock(LabState::instance().mutex());
      object = bind(provider_, win32::fromWide(name, wcslen(name)));
      host = static_cast<LabDispatch *>(object.get())->boundHost();
    }
    // Outside the lock: a slow or dead host holds up only its own callers.
    awaitAnswer(host);
    HRESULT hr = CreatePointerMoniker(object.get(), moniker);
    if (FAILED(hr)) return hr;
    *eaten = static_cast<ULONG>(wcslen(name));
    return S_OK;
  } catch (...) {
    return failLabCall(IID_IParseDisplayName, nullptr, "QuorvaneLab");
  }
}

} // namespace qv::lab
