#include "lab/com/value_variant.hpp"

#include "lab/model/lab_error.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/safe_array.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::lab {
namespace {

constexpr uint32_t kCannotConvert = 0x8000500C;
constexpr uint32_t kTypeMismatch = 0x80020005; // DISP_E_TYPEMISMATCH

bool allBytes(const Value::Array &items) {
  if (items.empty()) return false;
  for (const Value &item : items)
    if (!std::holds_alternative<uint8_t>(item.storage())) return false;
  return true;
}

// A uint8 list goes out as the management service sends one, a byte array
// (VT_ARRAY|VT_UI1); every other list as an array of variants.
SAFEARRAY *arrayOf(const Value::Array &items) {
  SAFEARRAYBOUND bound{static_cast<ULONG>(items.size()), 0};
  if (allBytes(items)) {
    win32::SafeArray bytes(SafeArrayCreate(VT_UI1, 1, &bound));
    if (!bytes.get()) throw std::bad_alloc();
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
      uint8_t byte = std::get<uint8_t>(items[static_cast<std::size_t>(i)].storage());
      SafeArrayPutElement(bytes.get(), &i, &byte);
    }
    return bytes.detach();
  }
  win32::SafeArray array(SafeArrayCreate(VT_VARIANT, 1, &bound));
  if (!array.get()) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
    win32::VariantValue element;
    toVariant(items[static_cast<std::size_t>(i)], element.get());
    SafeArrayPutElement(array.get(), &i, element.get());
  }
  return array.detach();
}

Value::Array itemsOf(SAFEARRAY *array, VARTYPE elementType) {
  Value::Array items;
  if (!array || SafeArrayGetDim(array) != 1) return items;
  LONG low = 0, high = -1;
  SafeArrayGetLBound(array, 1, &low);
  SafeArrayGetUBound(array, 1, &high);
  for (LONG i = low; i <= high; ++i) {
    win32::VariantValue element;
    if (elementType == VT_VARIANT) {
      SafeArrayGetElement(array, &i, element.get());
    } else if (elementType == VT_BSTR) {
      BSTR text = nullptr;
      SafeArrayGetElement(array, &i, &text);
      V_VT(element.get()) = VT_BSTR;
      V_BSTR(element.get()) = text;
    } else {
      win32::VariantValue raw;
      V_VT(raw.get()) = elementType;
      SafeArrayGetElement(array, &i, &V_I4(raw.get()));
      element = raw;
    }
    items.push_back(fromVariant(*element.get()));
  }
  return items;
}

} // namespace

void toVariant(const Value &value, VARIANT *out) {
  VariantInit(out);
  const auto &v = value.storage();
  if (std::holds_alternative<std::monostate>(v)) {
    V_VT(out) = VT_NULL;
  } else if (auto b = std::get_if<bool>(&v)) {
    V_VT(out) = VT_BOOL;
    V_BOOL(out) = *b ? VARIANT_TRUE : VARIANT_FALSE;
  } else if (auto n8 = std::get_if<uint8_t>(&v)) {
    V_VT(out) = VT_UI1;
    V_UI1(out) = *n8;
  } else if (auto n16 = std::get_if<int16_t>(&v)) {
    V_VT(out) = VT_I2;
    V_I2(out) = *n16;
  } else if (auto n32 = std::get_if<int32_t>(&v)) {
    V_VT(out) = VT_I4;
    V_I4(out) = *n32;
  } else if (auto d = std::get_if<double>(&v)) {
    V_VT(out) = VT_R8;
    V_R8(out) = *d;
  } else if (auto s = std::get_if<std::string>(&v)) {
    V_BSTR(out) = win32::Bstr(*s).detach();
    V_VT(out) = VT_BSTR;
  } else if (auto date = std::get_if<Date>(&v)) {
    V_VT(out) = VT_DATE;
    V_DATE(out) = date->serial;
  } else if (auto items = std::get_if<Value::Array>(&v)) {
    V_ARRAY(out) = arrayOf(*items);
    V_VT(out) = VT_ARRAY | (allBytes(*items) ? VT_UI1 : VT_VARIANT);
  }
}

Value fromVariant(const VARIANT &value) {
  const VARIANT *v = &value;
  if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
  if (V_VT(v) & VT_ARRAY) {
    SAFEARRAY *array = (V_VT(v) & VT_BYREF) ? *V_ARRAYREF(v) : V_ARRAY(v);
    return Value(itemsOf(array, static_cast<VARTYPE>(V_VT(v) & VT_TYPEMASK)));
  }
  win32::VariantValue plain;
  if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT *>(v))))
    throw LabError(kTypeMismatch, "Type mismatch");
  const VARIANT *p = plain.get();
  switch (V_VT(p)) {
  case VT_EMPTY:
  case VT_NULL: return Value();
  case VT_BOOL: return Value(V_BOOL(p) != VARIANT_FALSE);
  case VT_UI1: return Value(static_cast<int32_t>(V_UI1(p)));
  case VT_I1: return Value(static_cast<int32_t>(V_I1(p)));
  case VT_I2: return Value(static_cast<int32_t>(V_I2(p)));
  case VT_UI2: return Value(static_cast<int32_t>(V_UI2(p)));
  case VT_I4: return Value(static_cast<int32_t>(V_I4(p)));
  case VT_INT: return Value(static_cast<int32_t>(V_INT(p)));
  case VT_R4: return Value(static_cast<double>(V_R4(p)));
  case VT_R8: return Value(V_R8(p));
  case VT_DATE: return Value(Date{V_DATE(p)});
  case VT_BSTR: return Value(win32::fromBstr(V_BSTR(p)));
  default: {
    win32::VariantValue converted;
    if (SUCCEEDED(VariantChangeType(converted.get(), const_cast<VARIANT *>(p), 0, VT_R8)))
      return Value(V_R8(converted.get()));
    throw LabError(kTypeMismatch, "Type mismatch");
  }
  }
}

Value coerceLike(const VARIANT &value, const Value &like) {
  if (like.isNull()) return fromVariant(value);
  if (like.as<Value::Array>()) {
    Value given = fromVariant(value);
    if (given.as<Value::Array>()) return given;
    return Value(Value::Array{given});
  }
  VARTYPE target = VT_BSTR;
  if (like.as<bool>())
    target = VT_BOOL;
  else if (like.as<int32_t>() || like.as<int16_t>() || like.as<uint8_t>())
    target = VT_I4;
  else if (like.as<double>())
    target = VT_R8;
  else if (like.as<Date>())
    target = VT_DATE;
  win32::VariantValue plain, converted;
  if (FAILED(VariantCopyInd(plain.get(), const_cast<VARIANT *>(&value))) ||
      FAILED(VariantChangeType(converted.get(), plain.get(), 0, target))) {
    throw LabError(kCannotConvert, "The directory datatype cannot be converted to/from a native DS datatype");
  }
  return fromVariant(*converted.get());
}

} // namespace qv::lab
