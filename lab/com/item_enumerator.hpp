#pragma once
// IEnumVARIANT over items made one at a time, so a caller that stops after
// the first item never makes the rest.

#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <functional>

namespace qv::lab {

class ItemEnumerator : public IEnumVARIANT {
public:
  // Fills the VARIANT with the next item and returns true, or returns
  // false at the end. Called with the lab's lock held.
  using Source = std::function<bool(VARIANT &)>;
  // Makes a source positioned at the first item (for Reset).
  using SourceFactory = std::function<Source()>;

  static IEnumVARIANT *create(SourceFactory factory);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT *items, ULONG *fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT **out) override;

private:
  explicit ItemEnumerator(SourceFactory factory);
  virtual ~ItemEnumerator();
  std::atomic<ULONG> references_{1};
  SourceFactory factory_;
  Source source_;
  bool ended_ = false;
};

} // namespace qv::lab
