#include "automation/named_args.hpp"

#include <algorithm>
#include <new>
#include <string>

#include "automation/dispatch_support.hpp"
#include "automation/module_state.hpp"
#include "platform/win32/bstr.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

using win32::Bstr;
using win32::ComPtr;

// The member's name followed by its parameters' names, as the type library
// lists them.
std::vector<std::wstring> namesOf(ITypeInfo &info, DISPID member) {
  std::vector<std::wstring> result;
  BSTR names[64] = {};
  UINT found = 0;
  if (FAILED(info.GetNames(member, names, 64, &found))) return result;
  for (UINT i = 0; i < found; ++i) {
    Bstr owned = Bstr::adopt(names[i]);
    result.push_back(foldName(owned.get()));
  }
  return result;
}

} // namespace

HRESULT answerParameterNames(REFIID iid, DISPID member, LPOLESTR *names, UINT count, DISPID *ids) {
  for (UINT i = 1; i < count; ++i)
    ids[i] = DISPID_UNKNOWN;
  ComPtr<ITypeInfo> info;
  if (FAILED(typeInfoOf(iid, info.put()))) return DISP_E_UNKNOWNNAME;
  HRESULT result = S_OK;
  try {
    std::vector<std::wstring> known = namesOf(*info.get(), member);
    for (UINT i = 1; i < count; ++i) {
      std::wstring wanted = foldName(names[i]);
      for (std::size_t position = 1; position < known.size(); ++position) {
        if (known[position] == wanted) ids[i] = static_cast<DISPID>(position - 1);
      }
      if (ids[i] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
    }
  } catch (const std::bad_alloc &) {
    return E_OUTOFMEMORY;
  }
  return result;
}

HRESULT placeNamedArguments(const DISPPARAMS &params, UINT parameters, std::vector<VARIANT> &slots,
                            DISPPARAMS &placed) {
  if (params.cNamedArgs > params.cArgs || !params.rgdispidNamedArgs) return E_INVALIDARG;
  UINT positional = params.cArgs - params.cNamedArgs;
  UINT count = positional;
  for (UINT k = 0; k < params.cNamedArgs; ++k) {
    DISPID position = params.rgdispidNamedArgs[k];
    if (position < static_cast<DISPID>(positional) || position >= static_cast<DISPID>(parameters)) {
      return DISP_E_PARAMNOTFOUND;
    }
    count = std::max(count, static_cast<UINT>(position) + 1);
  }
  VARIANT gap;
  VariantInit(&gap);
  V_VT(&gap) = VT_ERROR;
  V_ERROR(&gap) = DISP_E_PARAMNOTFOUND;
  // Slots in DISPPARAMS order: the last argument first.
  slots.assign(count, gap);
  std::vector<bool> taken(count, false);
  for (UINT i = 0; i < positional; ++i) {
    slots[count - 1 - i] = params.rgvarg[params.cArgs - 1 - i];
    taken[i] = true;
  }
  for (UINT k = 0; k < params.cNamedArgs; ++k) {
    auto position = static_cast<UINT>(params.rgdispidNamedArgs[k]);
    if (taken[position]) return DISP_E_PARAMNOTFOUND;
    taken[position] = true;
    slots[count - 1 - position] = params.rgvarg[k];
  }
  placed = DISPPARAMS{slots.data(), nullptr, count, 0};
  return S_OK;
}

} // namespace qv::com
