#include "automation/collection_enum.hpp"

#include "com/com_object.hpp"
#include "com/error_translation.hpp"

namespace qv::com {
namespace {

class CollectionEnum final : public ComObject<CollectionEnum, IEnumVARIANT> {
public:
  CollectionEnum(CollectionPtr collection, ComBridge bridge, std::size_t next)
      : collection_(std::move(collection)), bridge_(std::move(bridge)), next_(next) {}

  void *find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IEnumVARIANT) return static_cast<IEnumVARIANT *>(this);
    return nullptr;
  }

  // Positions are re-checked on every step, so items removed meanwhile end
  // the walk early instead of reading past the end.
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT *items, ULONG *fetched) override {
    if (!items) return E_POINTER;
    if (fetched) *fetched = 0;
    ULONG taken = 0;
    try {
      while (taken < wanted && next_ <= collection_->size()) {
        VariantInit(&items[taken]);
        win32::toVariant(collection_->at(next_), &items[taken], bridge_);
        ++taken;
        ++next_;
      }
    } catch (...) {
      for (ULONG i = 0; i < taken; ++i)
        VariantClear(&items[i]);
      return failCurrentCall(IID_IEnumVARIANT);
    }
    if (fetched) *fetched = taken;
    return taken == wanted ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= collection_->size() + 1 ? S_OK : S_FALSE;
  }

  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 1;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT **copy) override {
    if (!copy) return E_POINTER;
    try {
      *copy = makeComObject<CollectionEnum>(collection_, bridge_, next_).detach();
      return S_OK;
    } catch (...) {
      *copy = nullptr;
      return failCurrentCall(IID_IEnumVARIANT);
    }
  }

private:
  CollectionPtr collection_;
  ComBridge bridge_;
  std::size_t next_;
};

} // namespace

IUnknown *enumerateCollection(const CollectionPtr &collection, const ComBridge &bridge) {
  return makeComObject<CollectionEnum>(collection, bridge, 1).detach();
}

} // namespace qv::com
