#pragma once
// The one IDispatch implementation of the module, driven by a class's member
// table. Invoke is written by hand rather than left to the type library, so
// that any argument form a client sends is accepted and by-reference
// outputs can be written back into script variables.

#include <windows.h>

#include <oaidl.h>

#include <memory>
#include <type_traits>

#include "automation/call_args.hpp"
#include "automation/com_bridge.hpp"
#include "automation/dispatch_support.hpp"
#include "automation/member_table.hpp"
#include "automation/module_state.hpp"
#include "automation/native_object.hpp"
#include "com/com_object.hpp"
#include "com/error_translation.hpp"

namespace qv::com {

template <class Impl>
class DispatchObject final
    : public ComObject<DispatchObject<Impl>, IDispatch, ISupportErrorInfo, INativeObject> {
public:
  DispatchObject(std::shared_ptr<Impl> impl, const ClassTable<Impl> &table, ComBridge bridge)
      : impl_(std::move(impl)), table_(table), bridge_(std::move(bridge)) {}

  void *find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == *table_.iid)
      return static_cast<IDispatch *>(this);
    if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo *>(this);
    if (iid == IID_INativeObject) return static_cast<INativeObject *>(this);
    return nullptr;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo **info) override {
    if (index != 0) return DISP_E_BADINDEX;
    try {
      return typeInfoOf(*table_.iid, info);
    } catch (...) {
      return failCurrentCall(IID_IDispatch);
    }
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override {
    if (!names || !ids || count == 0) return E_INVALIDARG;
    DISPID found = DISPID_UNKNOWN;
    try {
      if (const Member<Impl> *member = table_.byName(names[0])) {
        found = member->id;
      } else if (table_.enumerate && foldName(names[0]) == L"_newenum") {
        found = DISPID_NEWENUM;
      }
    } catch (...) {
      return failCurrentCall(IID_IDispatch);
    }
    return answerNames(found, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                   EXCEPINFO *info, UINT *) override {
    if (!params) return E_INVALIDARG;
    if (id == DISPID_NEWENUM && table_.enumerate) return enumerate(flags, *params, result, info);
    const Member<Impl> *member = table_.byId(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    Access access = Access::Call;
    Offers offers{member->call != nullptr, member->put != nullptr, member->putRef != nullptr};
    if (HRESULT hr = chooseAccess(*member, offers, flags, *params, access); FAILED(hr)) {
      clearErrorInfo();
      return hr;
    }
    Handler<Impl> handler = access == Access::Call  ? member->call
                            : access == Access::Put ? member->put
                                                    : member->putRef;
    // The object stays alive through the call even if the script drops it
    // from inside (a re-entrant release).
    std::shared_ptr<Impl> self = impl_;
    CallArgs args(*params, bridge_);
    try {
      Variant value = handler(*self, args);
      args.writeBack();
      if (result && access == Access::Call) {
        VariantInit(result);
        win32::toVariant(value, result, bridge_);
      }
      clearErrorInfo();
      return S_OK;
    } catch (...) {
      args.writeBack();
      return failCurrentCall(*table_.iid, info);
    }
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return (iid == IID_IDispatch || iid == *table_.iid) ? S_OK : S_FALSE;
  }

  ObjectPtr STDMETHODCALLTYPE native() override {
    if constexpr (std::is_base_of_v<Object, Impl>) {
      return impl_;
    } else {
      return nullptr;
    }
  }

private:
  HRESULT enumerate(WORD flags, const DISPPARAMS &params, VARIANT *result, EXCEPINFO *info) {
    if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
    if (params.cArgs != 0) return DISP_E_BADPARAMCOUNT;
    if (!result) return E_POINTER;
    try {
      VariantInit(result);
      V_UNKNOWN(result) = table_.enumerate(impl_, bridge_);
      V_VT(result) = VT_UNKNOWN;
      return S_OK;
    } catch (...) {
      return failCurrentCall(*table_.iid, info);
    }
  }

  std::shared_ptr<Impl> impl_;
  const ClassTable<Impl> &table_;
  ComBridge bridge_;
};

// A new COM object presenting impl through table.
template <class Impl>
ComPtr<IDispatch> presentObject(std::shared_ptr<Impl> impl, const ClassTable<Impl> &table, ComBridge bridge) {
  return upcast<IDispatch>(makeComObject<DispatchObject<Impl>>(std::move(impl), table, std::move(bridge)));
}

} // namespace qv::com
