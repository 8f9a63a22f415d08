#pragma once
// The class objects of the three providers. Binding a display name
// ("WinNT://...", "IIS://...", "winmgmts:...") asks the class registered
// under the text before the colon for IParseDisplayName; the lab answers
// with a pointer moniker over the object the name reaches.

#include <windows.h>

#include <objbase.h>

#include "com/com_object.hpp"

namespace qv::lab {

enum class Provider { WinNT, IIS, Management };

struct ProviderInfo {
  Provider provider;
  CLSID clsid;
  const wchar_t *progId;
  const wchar_t *description;
};

const ProviderInfo *providers(std::size_t &count);

class ProviderFactory final : public com::ComObject<ProviderFactory, IClassFactory, IParseDisplayName> {
public:
  explicit ProviderFactory(Provider provider) : provider_(provider) {}

  void *find(REFIID iid);

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  HRESULT STDMETHODCALLTYPE ParseDisplayName(IBindCtx *context, LPOLESTR name, ULONG *eaten,
                                             IMoniker **moniker) override;

private:
  Provider provider_;
};

} // namespace qv::lab
