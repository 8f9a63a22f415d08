#pragma once
// An owning VARIANT: cleared on destruction, deep-copied on copy.

#include <windows.h>

#include <oleauto.h>

#include <utility>

namespace qv::win32 {

class VariantValue {
public:
  VariantValue() { VariantInit(&v_); }
  VariantValue(const VariantValue &other) : VariantValue() {
    VariantCopy(&v_, const_cast<VARIANT *>(&other.v_));
  }
  VariantValue(VariantValue &&other) noexcept : VariantValue() { std::swap(v_, other.v_); }
  VariantValue &operator=(VariantValue other) noexcept {
    std::swap(v_, other.v_);
    return *this;
  }
  ~VariantValue() { VariantClear(&v_); }

  VARIANT *get() { return &v_; }
  const VARIANT *get() const { return &v_; }
  VARIANT *operator->() { return &v_; }
  const VARIANT *operator->() const { return &v_; }
  // Clears, then lets a call fill it.
  VARIANT *put() {
    VariantClear(&v_);
    return &v_;
  }
  // Moves the value into a VARIANT the caller owns (it must be empty).
  void moveTo(VARIANT *target) {
    *target = v_;
    VariantInit(&v_);
  }
  VARTYPE type() const { return V_VT(&v_); }

private:
  VARIANT v_;
};

} // namespace qv::win32
