#include "automation/call_args.hpp"

#include "core/automation_error.hpp"
#include "core/convert.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::com {
namespace {

using win32::Bstr;
using win32::VariantValue;

bool isGap(const VARIANT &v) { return V_VT(&v) == VT_ERROR && V_ERROR(&v) == DISP_E_PARAMNOTFOUND; }

VariantValue declaredValue(const std::variant<std::string, int32_t> &value) {
  VariantValue result;
  if (const auto *text = std::get_if<std::string>(&value)) {
    V_BSTR(result.get()) = Bstr(*text).detach();
    V_VT(result.get()) = VT_BSTR;
  } else {
    V_I4(result.get()) = std::get<int32_t>(value);
    V_VT(result.get()) = VT_I4;
  }
  return result;
}

// Stores value in the variable a by-reference argument points at. A script
// variable (a VARIANT) takes the declared type; a typed variable keeps its
// own type and receives the value converted to it, or nothing when it does
// not convert.
void storeInto(const VARIANT &target, VariantValue value) {
  VARTYPE type = V_VT(&target);
  if (!(type & VT_BYREF) || !V_BYREF(&target)) return;
  if (type == (VT_BYREF | VT_VARIANT)) {
    VARIANT *variable = V_VARIANTREF(&target);
    if (V_VT(variable) & VT_BYREF) {
      storeInto(*variable, std::move(value));
      return;
    }
    VariantClear(variable);
    value.moveTo(variable);
    return;
  }
  auto base = static_cast<VARTYPE>(type & ~VT_BYREF);
  if (base & VT_ARRAY) return;
  VariantValue converted;
  if (FAILED(VariantChangeType(converted.get(), value.get(), 0, base))) return;
  VARIANT &v = *converted.get();
  switch (base) {
  case VT_BSTR:
    SysFreeString(*V_BSTRREF(&target));
    *V_BSTRREF(&target) = V_BSTR(&v);
    V_VT(&v) = VT_EMPTY;
    return;
  case VT_I4: *V_I4REF(&target) = V_I4(&v); return;
  case VT_I2: *V_I2REF(&target) = V_I2(&v); return;
  case VT_R8: *V_R8REF(&target) = V_R8(&v); return;
  case VT_R4: *V_R4REF(&target) = V_R4(&v); return;
  case VT_DATE: *V_DATEREF(&target) = V_DATE(&v); return;
  case VT_BOOL: *V_BOOLREF(&target) = V_BOOL(&v); return;
  case VT_UI1: *V_UI1REF(&target) = V_UI1(&v); return;
  case VT_INT: *V_INTREF(&target) = V_INT(&v); return;
  case VT_CY: *V_CYREF(&target) = V_CY(&v); return;
  default: return;
  }
}

} // namespace

CallArgs::CallArgs(const DISPPARAMS &params, const ComBridge &bridge)
    : params_(params), bridge_(bridge), count_(params.cArgs) {}

const VARIANT *CallArgs::raw(std::size_t index) const {
  if (index >= count_) return nullptr;
  return &params_.rgvarg[count_ - 1 - index];
}

bool CallArgs::given(std::size_t index) const {
  const VARIANT *v = raw(index);
  if (!v) return false;
  if (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) return !isGap(*V_VARIANTREF(v));
  return !isGap(*v);
}

Variant CallArgs::value(std::size_t index) const {
  if (!given(index)) return Variant();
  return win32::fromVariant(*raw(index), bridge_);
}

std::string CallArgs::text(std::size_t index) const { return toText(value(index), bridge_.regional()); }
int32_t CallArgs::int32(std::size_t index) const { return toInt32(value(index), bridge_.regional()); }
double CallArgs::number(std::size_t index) const { return toDouble(value(index), bridge_.regional()); }
Date CallArgs::date(std::size_t index) const { return toDate(value(index), bridge_.regional()); }
bool CallArgs::flag(std::size_t index) const { return toBool(value(index), bridge_.regional()); }

CollectionPtr CallArgs::collection(std::size_t index) const {
  Variant v = value(index);
  if (!v.isObject()) throwRuntimeError(kTypeMismatch);
  if (!v.object()) return nullptr;
  auto collection = v.as<Collection>();
  if (!collection) throwRuntimeError(kTypeMismatch);
  return collection;
}

ObjectPtr CallArgs::object(std::size_t index) const {
  Variant v = value(index);
  if (!v.isObject()) throwRuntimeError(kTypeMismatch);
  return v.object();
}

std::optional<std::string> CallArgs::optionalText(std::size_t index) const {
  if (!given(index)) return std::nullopt;
  return text(index);
}

std::optional<int32_t> CallArgs::optionalInt32(std::size_t index) const {
  if (!given(index)) return std::nullopt;
  return int32(index);
}

CallArgs::Binding &CallArgs::bind(std::size_t index, Slot initial) {
  auto binding = std::make_unique<Binding>(Binding{index, std::move(initial)});
  bindings_.push_back(std::move(binding));
  return *bindings_.back();
}

std::string &CallArgs::textRef(std::size_t index) {
  return std::get<std::string>(bind(index, text(index)).current);
}

int32_t &CallArgs::int32Ref(std::size_t index) {
  return std::get<int32_t>(bind(index, int32(index)).current);
}

int32_t *CallArgs::optionalInt32Ref(std::size_t index) {
  if (!given(index)) return nullptr;
  return &int32Ref(index);
}

void CallArgs::writeBack() noexcept {
  for (const auto &binding : bindings_) {
    try {
      storeInto(*raw(binding->index), declaredValue(binding->current));
    } catch (...) {
      // Out of memory while building the text: the caller keeps its value.
    }
  }
}

} // namespace qv::com
