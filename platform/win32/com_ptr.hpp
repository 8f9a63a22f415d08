#pragma once
// An owning reference to a COM interface: AddRef on copy, Release on
// destruction. The one way this code base holds interface pointers.

#include <windows.h>

#include <objbase.h>

#include <utility>

namespace qv::win32 {

template <class T> class ComPtr {
public:
  ComPtr() = default;
  // Shares p: takes a reference of its own.
  explicit ComPtr(T *p) : p_(p) {
    if (p_) p_->AddRef();
  }
  ComPtr(const ComPtr &other) : ComPtr(other.p_) {}
  ComPtr(ComPtr &&other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
  ComPtr &operator=(ComPtr other) noexcept {
    std::swap(p_, other.p_);
    return *this;
  }
  ~ComPtr() { reset(); }

  // Adopts a reference the caller already owns (a fresh object, an out
  // parameter filled by a call).
  static ComPtr adopt(T *p) {
    ComPtr result;
    result.p_ = p;
    return result;
  }

  void reset() {
    if (T *p = std::exchange(p_, nullptr)) p->Release();
  }
  T *get() const { return p_; }
  T *operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }

  // For out parameters: releases what is held, then lets the call fill it.
  T **put() {
    reset();
    return &p_;
  }
  void **putVoid() { return reinterpret_cast<void **>(put()); }

  // Hands the reference over to a caller that will release it.
  T *detach() { return std::exchange(p_, nullptr); }

  template <class U> ComPtr<U> query(REFIID iid) const {
    ComPtr<U> result;
    if (p_) p_->QueryInterface(iid, result.putVoid());
    return result;
  }

private:
  T *p_ = nullptr;
};

} // namespace qv::win32
