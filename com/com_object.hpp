#pragma once
// The reference counting every COM object of a module shares. An object is
// made only by makeComObject and destroys itself on its last Release; each
// one counts towards DllCanUnloadNow while it lives.

#include <windows.h>

#include <objbase.h>

#include <atomic>
#include <utility>

#include "com/module_counts.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {

using win32::ComPtr;

// Derived provides `void* find(REFIID)`: the interface pointer for an IID,
// or null.
template <class Derived, class... Interfaces> class ComObject : public Interfaces... {
public:
  ComObject() { objectCreated(); }
  ComObject(const ComObject &) = delete;
  ComObject &operator=(const ComObject &) = delete;
  ComObject(ComObject &&) = delete;
  ComObject &operator=(ComObject &&) = delete;
  virtual ~ComObject() { objectDestroyed(); }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void **out) override {
    if (!out) return E_POINTER;
    *out = static_cast<Derived *>(this)->find(iid);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  // AddRef unless the last reference is already gone (the object is being
  // destroyed): false then.
  bool retainIfAlive() noexcept {
    ULONG current = references_.load();
    while (current != 0) {
      if (references_.compare_exchange_weak(current, current + 1)) return true;
    }
    return false;
  }
  ULONG STDMETHODCALLTYPE Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

private:
  std::atomic<ULONG> references_{1};
};

// A new object holding its first reference.
template <class T, class... Args> ComPtr<T> makeComObject(Args &&...args) {
  return ComPtr<T>::adopt(new T(std::forward<Args>(args)...));
}

// The same object through one of its interfaces.
template <class To, class From> ComPtr<To> upcast(const ComPtr<From> &object) {
  return ComPtr<To>(static_cast<To *>(object.get()));
}

} // namespace qv::com
