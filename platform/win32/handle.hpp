#pragma once
// A kernel handle owned by one scope: closed by its own close function when
// the owner goes, never copied. Neither null nor INVALID_HANDLE_VALUE (what
// the opening functions return on failure) is closed.

#include <windows.h>

namespace qv::platform {

template <BOOL(WINAPI *Close)(HANDLE)> class OwnedHandle {
public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  OwnedHandle(const OwnedHandle &) = delete;
  OwnedHandle &operator=(const OwnedHandle &) = delete;
  ~OwnedHandle() { reset(); }

  HANDLE get() const { return handle_; }
  HANDLE *receive() {
    reset();
    return &handle_;
  }
  explicit operator bool() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  void reset() {
    if (*this) Close(handle_);
    handle_ = nullptr;
  }

private:
  HANDLE handle_ = nullptr;
};

// Processes, threads, files, mutexes, snapshots.
using Handle = OwnedHandle<::CloseHandle>;
// A directory search (FindFirstFileExW).
using FindHandle = OwnedHandle<::FindClose>;

} // namespace qv::platform
