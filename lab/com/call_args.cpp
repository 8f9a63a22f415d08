#include "lab/com/call_args.hpp"

#include "lab/com/value_variant.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/variant_value.hpp"

namespace qv::lab {

CallArgs::CallArgs(DISPPARAMS *params, WORD flags) {
  if (!params) return;
  UINT named = params->cNamedArgs;
  bool assignment = flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF);
  if (assignment) {
    if (named != 1 || params->rgdispidNamedArgs[0] != DISPID_PROPERTYPUT || params->cArgs < 1)
      throw DispatchFailure{DISP_E_PARAMNOTOPTIONAL};
    assigned_ = &params->rgvarg[0];
  } else if (named != 0) {
    throw DispatchFailure{DISP_E_NONAMEDARGS};
  }
  for (UINT i = params->cArgs; i > named; --i)
    args_.push_back(&params->rgvarg[i - 1]);
}

bool CallArgs::present(std::size_t i) const {
  if (i >= args_.size()) return false;
  const VARIANT *v = args_[i];
  if (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
  return !(V_VT(v) == VT_ERROR && V_ERROR(v) == DISP_E_PARAMNOTFOUND);
}

void CallArgs::require(std::size_t least, std::size_t most) const {
  if (args_.size() > most) throw DispatchFailure{DISP_E_BADPARAMCOUNT};
  for (std::size_t i = 0; i < least; ++i)
    if (!present(i)) throw DispatchFailure{DISP_E_PARAMNOTOPTIONAL};
}

win32::VariantValue CallArgs::plain(std::size_t i, VARTYPE type) const {
  if (!present(i)) throw DispatchFailure{DISP_E_PARAMNOTOPTIONAL};
  win32::VariantValue result;
  win32::VariantValue copy;
  auto position = static_cast<UINT>(args_.size() - 1 - i);
  if (FAILED(VariantCopyInd(copy.get(), args_[i])) ||
      FAILED(VariantChangeType(result.get(), copy.get(), 0, type)))
    throw DispatchFailure{DISP_E_TYPEMISMATCH, position};
  return result;
}

std::string CallArgs::text(std::size_t i) const { return win32::fromBstr(V_BSTR(plain(i, VT_BSTR).get())); }

int32_t CallArgs::int32(std::size_t i) const { return V_I4(plain(i, VT_I4).get()); }

Value CallArgs::value(std::size_t i) const {
  if (!present(i)) return Value();
  return fromVariant(*args_[i]);
}

void CallArgs::writeBack(std::size_t i, const Value &value) {
  if (i >= args_.size()) return;
  VARIANT *target = args_[i];
  if (!(V_VT(target) & VT_BYREF)) return;
  win32::VariantValue converted;
  toVariant(value, converted.get());
  if (V_VT(target) == (VT_BYREF | VT_VARIANT)) {
    VariantClear(V_VARIANTREF(target));
    converted.moveTo(V_VARIANTREF(target));
    return;
  }
  // A typed variable of a typed client: converted to its own type.
  auto type = static_cast<VARTYPE>(V_VT(target) & ~VT_BYREF);
  win32::VariantValue typed;
  if (FAILED(VariantChangeType(typed.get(), converted.get(), 0, type))) return;
  switch (type) {
  case VT_BSTR:
    SysFreeString(*V_BSTRREF(target));
    *V_BSTRREF(target) = V_BSTR(typed.get());
    V_VT(typed.get()) = VT_EMPTY;
    break;
  case VT_I4: *V_I4REF(target) = V_I4(typed.get()); break;
  case VT_I2: *V_I2REF(target) = V_I2(typed.get()); break;
  case VT_R8: *V_R8REF(target) = V_R8(typed.get()); break;
  case VT_DATE: *V_DATEREF(target) = V_DATE(typed.get()); break;
  case VT_BOOL: *V_BOOLREF(target) = V_BOOL(typed.get()); break;
  default: break;
  }
}

void CallArgs::writeBack(std::size_t i, IDispatch *object) {
  if (i >= args_.size() || V_VT(args_[i]) != (VT_BYREF | VT_VARIANT)) return;
  VARIANT *target = V_VARIANTREF(args_[i]);
  VariantClear(target);
  V_VT(target) = VT_DISPATCH;
  V_DISPATCH(target) = object;
  if (object) object->AddRef();
}

} // namespace qv::lab
