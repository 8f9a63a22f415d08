#pragma once
// A kernel handle owned by one scope: closed when the owner goes, never
// copied.

#include <windows.h>

namespace qv::platform {

class Handle {
public:
  Handle() = default;
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle &) = delete;
  Handle &operator=(const Handle &) = delete;
  ~Handle() { reset(); }

  HANDLE get() const { return handle_; }
  HANDLE *receive() {
    reset();
    return &handle_;
  }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void reset() {
    if (*this) ::CloseHandle(handle_);
    handle_ = nullptr;
  }

private:
  HANDLE handle_ = nullptr;
};

} // namespace qv::platform
