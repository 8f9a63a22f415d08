#pragma once
// VARIANT <-> Variant. Texts become UTF-8, dates stay automation dates,
// arrays become SAFEARRAYs of VARIANT with their lower bound, and objects
// cross through an ObjectBridge that the caller chooses.

#include <windows.h>

#include <oaidl.h>

#include "core/variant.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::win32 {

// What an object becomes when it crosses. The default carries platform
// objects as DispatchHolder and refuses any other core object.
class ObjectBridge {
public:
  virtual ~ObjectBridge() = default;
  // Never called with null.
  virtual ObjectPtr fromDispatch(IDispatch *dispatch) const;
  // Never called with null; fails with 13 when the object cannot cross.
  virtual ComPtr<IDispatch> toDispatch(const ObjectPtr &object) const;
};

const ObjectBridge &plainBridge();

// A by-reference VARIANT is read through. Unsupported kinds fail with 13.
Variant fromVariant(const VARIANT &value, const ObjectBridge &bridge = plainBridge());
// out must hold no value that needs clearing; it is overwritten.
void toVariant(const Variant &value, VARIANT *out, const ObjectBridge &bridge = plainBridge());

} // namespace qv::win32
