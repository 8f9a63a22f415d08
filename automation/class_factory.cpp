#include "automation/class_factory.hpp"

#include "com/com_object.hpp"
#include "com/error_translation.hpp"

namespace qv::com {
namespace {

class ClassFactory final : public ComObject<ClassFactory, IClassFactory> {
public:
  explicit ClassFactory(const CreatableClass &entry) : entry_(entry) {}

  void *find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) return static_cast<IClassFactory *>(this);
    return nullptr;
  }

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID iid, void **out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    try {
      ComPtr<IDispatch> object = entry_.create(hostPlatform());
      return object->QueryInterface(iid, out);
    } catch (...) {
      return failCurrentCall(IID_IClassFactory);
    }
  }

  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override {
    lockModule(lock != FALSE);
    return S_OK;
  }

private:
  const CreatableClass &entry_;
};

} // namespace

HRESULT getClassFactory(const CreatableClass &entry, REFIID iid, void **out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return makeComObject<ClassFactory>(entry)->QueryInterface(iid, out);
}

} // namespace qv::com
