#include "automation/dispatch_support.hpp"

#include <cwctype>

namespace qv::com {
namespace {

const VARIANT &dereferenced(const VARIANT &v) {
  if (V_VT(&v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(&v)) return *V_VARIANTREF(&v);
  return v;
}

bool holdsObject(const VARIANT &v) {
  VARTYPE type = V_VT(&dereferenced(v));
  return type == VT_DISPATCH || type == VT_UNKNOWN || type == (VT_BYREF | VT_DISPATCH);
}

bool isGap(const VARIANT &v) {
  const VARIANT &value = dereferenced(v);
  return V_VT(&value) == VT_ERROR && V_ERROR(&value) == DISP_E_PARAMNOTFOUND;
}

} // namespace

std::wstring foldName(const wchar_t *name) {
  std::wstring folded(name ? name : L"");
  for (wchar_t &c : folded)
    c = static_cast<wchar_t>(std::towlower(c));
  return folded;
}

HRESULT chooseAccess(const MemberInfo &member, Offers offers, WORD flags, const DISPPARAMS &params,
                     Access &access) {
  if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
    if (params.cNamedArgs != 1 || !params.rgdispidNamedArgs ||
        params.rgdispidNamedArgs[0] != DISPID_PROPERTYPUT) {
      return DISP_E_PARAMNOTFOUND;
    }
    if (params.cArgs != 1) return DISP_E_BADPARAMCOUNT;
    bool object = holdsObject(params.rgvarg[0]);
    // Two rules lead to a putref: kept apart, each reads as it is meant.
    if ((flags & DISPATCH_PROPERTYPUTREF) && offers.putRef) { // NOLINT(bugprone-branch-clone)
      access = Access::PutRef;
    } else if ((flags & DISPATCH_PROPERTYPUT) && offers.put) {
      access = Access::Put;
    } else if ((flags & DISPATCH_PROPERTYPUT) && offers.putRef && object) {
      // JScript assigns objects with a plain put.
      access = Access::PutRef;
    } else {
      return DISP_E_MEMBERNOTFOUND;
    }
    return S_OK;
  }
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  if (!offers.call) return DISP_E_MEMBERNOTFOUND;
  if (params.cNamedArgs != 0) return DISP_E_NONAMEDARGS;
  if (params.cArgs < member.required || params.cArgs > member.total) return DISP_E_BADPARAMCOUNT;
  for (UINT i = 0; i < member.required; ++i) {
    if (isGap(params.rgvarg[params.cArgs - 1 - i])) return DISP_E_PARAMNOTOPTIONAL;
  }
  access = Access::Call;
  return S_OK;
}

HRESULT answerNames(DISPID found, UINT count, DISPID *ids) {
  ids[0] = found;
  for (UINT i = 1; i < count; ++i)
    ids[i] = DISPID_UNKNOWN;
  return (found == DISPID_UNKNOWN || count > 1) ? DISP_E_UNKNOWNNAME : S_OK;
}

} // namespace qv::com
