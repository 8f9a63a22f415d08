#pragma once
// The class objects of the three providers. Binding a display name
// ("WinNT://...", "IIS://...", "winmgmts:...") asks the class registered
// under the text before the colon for IParseDisplayName; the lab answers
// with a pointer moniker over the object the name reaches.

#include <windows.h>

#include <objbase.h>

#include <atomic>

namespace qv::lab {

enum class Provider { WinNT, IIS, Management };

struct ProviderInfo {
  Provider provider;
  CLSID clsid;
  const wchar_t *progId;
  const wchar_t *description;
};

const ProviderInfo *providers(std::size_t &count);

// Server locks taken through IClassFactory::LockServer.
std::atomic<long> &serverLocks();

class ProviderFactory : public IClassFactory, public IParseDisplayName {
public:
  explicit ProviderFactory(Provider provider);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx *context, LPOLESTR name, ULONG *eaten,
                                             IMoniker **moniker) override;

private:
  virtual ~ProviderFactory();
  std::atomic<ULONG> references_{1};
  Provider provider_;
};

} // namespace qv::lab
