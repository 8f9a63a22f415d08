#pragma once
// A platform object (any IDispatch) carried through the core as an opaque
// object value, so that it can cross back to the platform unchanged.

#include <windows.h>

#include <oaidl.h>

#include "core/variant.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::win32 {

class DispatchHolder : public Object {
public:
  explicit DispatchHolder(ComPtr<IDispatch> dispatch) : dispatch_(std::move(dispatch)) {}
  const ComPtr<IDispatch> &dispatch() const { return dispatch_; }

private:
  ComPtr<IDispatch> dispatch_;
};

} // namespace qv::win32
