#pragma once
// An owning SAFEARRAY.

#include <windows.h>

#include <oleauto.h>

#include <utility>

namespace qv::win32 {

class SafeArray {
public:
  SafeArray() = default;
  explicit SafeArray(SAFEARRAY *owned) : a_(owned) {}
  SafeArray(const SafeArray &) = delete;
  SafeArray &operator=(const SafeArray &) = delete;
  SafeArray(SafeArray &&other) noexcept : a_(std::exchange(other.a_, nullptr)) {}
  SafeArray &operator=(SafeArray &&other) noexcept {
    std::swap(a_, other.a_);
    return *this;
  }
  ~SafeArray() {
    if (a_) SafeArrayDestroy(a_);
  }

  SAFEARRAY *get() const { return a_; }
  SAFEARRAY *detach() { return std::exchange(a_, nullptr); }

private:
  SAFEARRAY *a_ = nullptr;
};

} // namespace qv::win32
