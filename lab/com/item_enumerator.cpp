#include "lab/com/item_enumerator.hpp"

#include <mutex>

#include "lab/com/dispatch_base.hpp"
#include "lab/com/lab_state.hpp"

namespace qv::lab {

ItemEnumerator::ItemEnumerator(SourceFactory factory) : factory_(std::move(factory)), source_(factory_()) {}

void *ItemEnumerator::find(REFIID iid) {
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IEnumVARIANT))
    return static_cast<IEnumVARIANT *>(this);
  return nullptr;
}

HRESULT ItemEnumerator::Next(ULONG count, VARIANT *items, ULONG *fetched) {
  if (!items && count > 0) return E_POINTER;
  ULONG made = 0;
  try {
    std::lock_guard lock(LabState::instance().mutex());
    while (made < count && !ended_) {
      VariantInit(&items[made]);
      if (!source_(items[made])) {
        ended_ = true;
        break;
      }
      ++made;
    }
  } catch (...) {
    for (ULONG i = 0; i < made; ++i)
      VariantClear(&items[i]);
    if (fetched) *fetched = 0;
    return failLabCall(IID_IEnumVARIANT, nullptr, "QuorvaneLab");
  }
  if (fetched) *fetched = made;
  return made == count ? S_OK : S_FALSE;
}

HRESULT ItemEnumerator::Skip(ULONG count) {
  for (ULONG i = 0; i < count; ++i) {
    VARIANT item;
    VariantInit(&item);
    ULONG got = 0;
    HRESULT hr = Next(1, &item, &got);
    VariantClear(&item);
    if (hr != S_OK) return S_FALSE;
  }
  return S_OK;
}

HRESULT ItemEnumerator::Reset() {
  try {
    std::lock_guard lock(LabState::instance().mutex());
    source_ = factory_();
    ended_ = false;
    return S_OK;
  } catch (...) {
    return failLabCall(IID_IEnumVARIANT, nullptr, "QuorvaneLab");
  }
}

HRESULT ItemEnumerator::Clone(IEnumVARIANT **out) {
  if (out) *out = nullptr;
  return E_NOTIMPL;
}

void giveEnumerator(ItemEnumerator::SourceFactory factory, VARIANT &out) {
  com::ComPtr<ItemEnumerator> enumerator = com::makeComObject<ItemEnumerator>(std::move(factory));
  VariantClear(&out);
  V_VT(&out) = VT_UNKNOWN;
  V_UNKNOWN(&out) = static_cast<IEnumVARIANT *>(enumerator.detach());
}

} // namespace qv::lab
