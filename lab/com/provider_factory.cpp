#include "lab/com/provider_factory.hpp"

#include <mutex>
#include <new>

#include "lab/com/directory_object.hpp"
#include "lab/com/lab_state.hpp"
#include "lab/com/wmi_objects.hpp"
#include "lab/model/directory_paths.hpp"
#include "lab/model/lab_error.hpp"
#include "lab/model/management.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

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

void setThreadError(const std::string &description) {
  win32::ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.put()))) return;
  std::wstring wide = win32::toWide(description);
  std::wstring source = L"QuorvaneLab";
  create->SetSource(source.data());
  create->SetDescription(wide.data());
  win32::ComPtr<IErrorInfo> info = create.query<IErrorInfo>(IID_IErrorInfo);
  SetErrorInfo(0, info.get());
}

LabDispatch *bind(Provider provider, const std::string &name) {
  LabState &lab = LabState::instance();
  Fleet &fleet = lab.fleet();
  switch (provider) {
  case Provider::WinNT: return DirectoryObject::create(bindWinNT(fleet, name, lab.local()));
  case Provider::IIS: return DirectoryObject::create(bindIIS(fleet, name, lab.local()));
  case Provider::Management: return WmiService::create(connectManagement(fleet, name, lab.local()));
  }
  return nullptr;
}

} // namespace

const ProviderInfo *providers(std::size_t &count) {
  count = std::size(kProviders);
  return kProviders;
}

std::atomic<long> &serverLocks() {
  static std::atomic<long> locks{0};
  return locks;
}

ProviderFactory::ProviderFactory(Provider provider) : provider_(provider) { ++liveObjects(); }
ProviderFactory::~ProviderFactory() { --liveObjects(); }

HRESULT ProviderFactory::QueryInterface(REFIID iid, void **out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *out = static_cast<IClassFactory *>(this);
  } else if (IsEqualIID(iid, IID_IParseDisplayName)) {
    *out = static_cast<IParseDisplayName *>(this);
  } else {
    *out = nullptr;
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG ProviderFactory::AddRef() { return ++references_; }

ULONG ProviderFactory::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

// An instance is the provider's parser again: the names are what it serves.
HRESULT ProviderFactory::CreateInstance(IUnknown *outer, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  ProviderFactory *parser = new (std::nothrow) ProviderFactory(provider_);
  if (!parser) return E_OUTOFMEMORY;
  HRESULT hr = parser->QueryInterface(iid, out);
  parser->Release();
  return hr;
}

HRESULT ProviderFactory::LockServer(BOOL lock) {
  lock ? ++serverLocks() : --serverLocks();
  return S_OK;
}

HRESULT ProviderFactory::ParseDisplayName(IBindCtx *, LPOLESTR name, ULONG *eaten, IMoniker **moniker) {
  if (!name || !eaten || !moniker) return E_POINTER;
  *moniker = nullptr;
  *eaten = 0;
  try {
    win32::ComPtr<IDispatch> object;
    const Computer *host = nullptr;
    {
      std::lock_guard lock(LabState::instance().mutex());
      LabDispatch *bound = bind(provider_, win32::fromWide(name, wcslen(name)));
      host = bound->boundHost();
      object = win32::ComPtr<IDispatch>::adopt(bound);
    }
    awaitAnswer(host);
    HRESULT hr = CreatePointerMoniker(object.get(), moniker);
    if (FAILED(hr)) return hr;
    *eaten = static_cast<ULONG>(wcslen(name));
    return S_OK;
  } catch (const LabError &error) {
    setThreadError(error.what());
    return static_cast<HRESULT>(error.code());
  } catch (const std::bad_alloc &) {
    return E_OUTOFMEMORY;
  } catch (const std::exception &error) {
    setThreadError(error.what());
    return E_FAIL;
  }
}

} // namespace qv::lab
