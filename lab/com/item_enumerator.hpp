#pragma once
// IEnumVARIANT over items made one at a time, so a caller that stops after
// the first item never makes the rest.

#include <windows.h>

#include <oaidl.h>

#include <functional>

#include "com/com_object.hpp"

namespace qv::lab {

class ItemEnumerator final : public com::ComObject<ItemEnumerator, IEnumVARIANT> {
public:
  // Fills the VARIANT with the next item and returns true, or returns
  // false at the end. Called with the lab's lock held.
  using Source = std::function<bool(VARIANT &)>;
  // Makes a source positioned at the first item (for Reset).
  using SourceFactory = std::function<Source()>;

  explicit ItemEnumerator(SourceFactory factory);

  void *find(REFIID iid);

  HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT *items, ULONG *fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT **out) override;

private:
  SourceFactory factory_;
  Source source_;
  bool ended_ = false;
};

// Hands a new enumerator over factory's items to a VARIANT.
void giveEnumerator(ItemEnumerator::SourceFactory factory, VARIANT &out);

} // namespace qv::lab
