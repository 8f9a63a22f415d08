#include "platform/win32/variant_convert.hpp"

#include <cmath>
#include <utility>

#include "core/automation_error.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/dispatch_holder.hpp"
#include "platform/win32/safe_array.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::win32 {
namespace {

template <class T> Variant wholeNumber(T value) {
  if (std::in_range<int32_t>(value)) {
    return Variant(static_cast<int32_t>(value));
  }
  return Variant(static_cast<double>(value));
}

Variant viaDouble(const VARIANT &value) {
  VariantValue converted;
  if (FAILED(VariantChangeType(converted.get(), const_cast<VARIANT *>(&value), 0, VT_R8)))
    throwRuntimeError(kTypeMismatch);
  return Variant(V_R8(converted.get()));
}

Variant objectValue(IUnknown *unknown, const ObjectBridge &bridge) {
  if (!unknown) return Variant(ObjectPtr());
  ComPtr<IDispatch> dispatch;
  if (FAILED(unknown->QueryInterface(IID_IDispatch, dispatch.putVoid()))) throwRuntimeError(kTypeMismatch);
  return Variant(bridge.fromDispatch(dispatch.get()));
}

// Reads element `index` of a one-dimensional array into a VARIANT.
VariantValue element(SAFEARRAY *array, VARTYPE type, LONG index) {
  VariantValue item;
  HRESULT hr;
  if (type == VT_VARIANT) {
    hr = SafeArrayGetElement(array, &index, item.get());
  } else if (type == VT_DECIMAL) {
    hr = SafeArrayGetElement(array, &index, &V_DECIMAL(item.get()));
    V_VT(item.get()) = VT_DECIMAL;
  } else {
    hr = SafeArrayGetElement(array, &index, &V_UI1(item.get()));
    if (SUCCEEDED(hr)) V_VT(item.get()) = type;
  }
  if (FAILED(hr)) throwRuntimeError(kTypeMismatch);
  return item;
}

Variant arrayValue(SAFEARRAY *array, VARTYPE declared, const ObjectBridge &bridge) {
  if (!array) return Variant(VariantArray{});
  if (SafeArrayGetDim(array) != 1) throwRuntimeError(kTypeMismatch);
  VARTYPE type = declared;
  if (FAILED(SafeArrayGetVartype(array, &type))) type = declared;
  LONG lower = 0;
  LONG upper = -1;
  SafeArrayGetLBound(array, 1, &lower);
  SafeArrayGetUBound(array, 1, &upper);
  VariantArray result;
  result.lowerBound = lower;
  if (type == VT_UI1) result.element = VarKind::Byte;
  if (upper >= lower)
    result.items.reserve(static_cast<std::size_t>(static_cast<long long>(upper) - lower + 1));
  for (LONG i = lower; i <= upper; ++i) {
    VariantValue item = element(array, type, i);
    result.items.push_back(fromVariant(*item.get(), bridge));
  }
  return Variant(std::move(result));
}

// A byte list as a SAFEARRAY of VT_UI1; an item that is no byte fails with 13.
SAFEARRAY *byteArray(const VariantArray &array) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(array.items.size()), array.lowerBound};
  SafeArray result(SafeArrayCreate(VT_UI1, 1, &bound));
  if (!result.get()) throw std::bad_alloc();
  auto *bytes = static_cast<uint8_t *>(result.get()->pvData);
  for (std::size_t i = 0; i < array.items.size(); ++i) {
    if (array.items[i].kind() != VarKind::Byte) throwRuntimeError(kTypeMismatch);
    bytes[i] = array.items[i].byteValue();
  }
  return result.detach();
}

} // namespace

ObjectPtr ObjectBridge::fromDispatch(IDispatch *dispatch) const {
  return std::make_shared<DispatchHolder>(ComPtr<IDispatch>(dispatch));
}

ComPtr<IDispatch> ObjectBridge::toDispatch(const ObjectPtr &object) const {
  if (auto holder = std::dynamic_pointer_cast<DispatchHolder>(object)) return holder->dispatch();
  throwRuntimeError(kTypeMismatch);
}

const ObjectBridge &plainBridge() {
  static const ObjectBridge bridge;
  return bridge;
}

Variant fromVariant(const VARIANT &value, const ObjectBridge &bridge) {
  VARTYPE type = V_VT(&value);
  if (type == (VT_BYREF | VT_VARIANT)) {
    if (!V_VARIANTREF(&value)) return Variant();
    return fromVariant(*V_VARIANTREF(&value), bridge);
  }
  if (type & VT_ARRAY) {
    SAFEARRAY *array = (type & VT_BYREF) ? *V_ARRAYREF(&value) : V_ARRAY(&value);
    return arrayValue(array, static_cast<VARTYPE>(type & VT_TYPEMASK), bridge);
  }
  if (type & VT_BYREF) {
    // Read a typed reference through a copy of what it points at.
    VariantValue plain;
    if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT *>(&value)))) throwRuntimeError(kTypeMismatch);
    return fromVariant(*plain.get(), bridge);
  }
  switch (type) {
  case VT_EMPTY: return Variant();
  case VT_NULL: return Variant::null();
  case VT_I2: return Variant(static_cast<int16_t>(V_I2(&value)));
  case VT_I4: return Variant(static_cast<int32_t>(V_I4(&value)));
  case VT_R8: return Variant(V_R8(&value));
  case VT_R4: return Variant(static_cast<double>(V_R4(&value)));
  case VT_DATE: return Variant(Date{V_DATE(&value)});
  case VT_BSTR: return Variant(fromBstr(V_BSTR(&value)));
  case VT_BOOL: return Variant(V_BOOL(&value) != VARIANT_FALSE);
  case VT_UI1: return Variant::byte(V_UI1(&value));
  case VT_I1: return Variant(static_cast<int16_t>(V_I1(&value)));
  case VT_UI2: return Variant(static_cast<int32_t>(V_UI2(&value)));
  case VT_UI4: return wholeNumber(V_UI4(&value));
  case VT_INT: return wholeNumber(V_INT(&value));
  case VT_UINT: return wholeNumber(V_UINT(&value));
  case VT_I8: return wholeNumber(V_I8(&value));
  case VT_UI8: return wholeNumber(V_UI8(&value));
  case VT_ERROR: return Variant(static_cast<int32_t>(V_ERROR(&value)));
  case VT_CY:
  case VT_DECIMAL: return viaDouble(value);
  case VT_DISPATCH: return objectValue(V_DISPATCH(&value), bridge);
  case VT_UNKNOWN: return objectValue(V_UNKNOWN(&value), bridge);
  default: throwRuntimeError(kTypeMismatch);
  }
}

void toVariant(const Variant &value, VARIANT *out, const ObjectBridge &bridge) {
  VariantInit(out);
  switch (value.kind()) {
  case VarKind::Empty: return;
  case VarKind::Null: V_VT(out) = VT_NULL; return;
  case VarKind::Int16:
    V_VT(out) = VT_I2;
    V_I2(out) = value.int16();
    return;
  case VarKind::Int32:
    V_VT(out) = VT_I4;
    V_I4(out) = value.int32();
    return;
  case VarKind::Byte:
    V_VT(out) = VT_UI1;
    V_UI1(out) = value.byteValue();
    return;
  case VarKind::Double:
    V_VT(out) = VT_R8;
    V_R8(out) = value.dbl();
    return;
  case VarKind::Date:
    V_VT(out) = VT_DATE;
    V_DATE(out) = value.date().serial;
    return;
  case VarKind::Text:
    V_BSTR(out) = Bstr(value.text()).detach();
    V_VT(out) = VT_BSTR;
    return;
  case VarKind::Bool:
    V_VT(out) = VT_BOOL;
    V_BOOL(out) = value.boolean() ? VARIANT_TRUE : VARIANT_FALSE;
    return;
  case VarKind::Object: {
    ComPtr<IDispatch> dispatch;
    if (value.object()) dispatch = bridge.toDispatch(value.object());
    V_DISPATCH(out) = dispatch.detach();
    V_VT(out) = VT_DISPATCH;
    return;
  }
  case VarKind::Array: {
    const VariantArray &array = value.array();
    if (array.element == VarKind::Byte) {
      V_ARRAY(out) = byteArray(array);
      V_VT(out) = VT_ARRAY | VT_UI1;
      return;
    }
    SAFEARRAYBOUND bound{static_cast<ULONG>(array.items.size()), array.lowerBound};
    SafeArray result(SafeArrayCreate(VT_VARIANT, 1, &bound));
    if (!result.get()) throw std::bad_alloc();
    // Elements start out empty; each is filled in place, so a failure part
    // way leaves only values that SafeArrayDestroy clears.
    auto *items = static_cast<VARIANT *>(result.get()->pvData);
    for (std::size_t i = 0; i < array.items.size(); ++i)
      toVariant(array.items[i], &items[i], bridge);
    V_ARRAY(out) = result.detach();
    V_VT(out) = VT_ARRAY | VT_VARIANT;
    return;
  }
  }
}

} // namespace qv::win32
