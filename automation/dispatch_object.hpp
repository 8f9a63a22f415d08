#pragma once
// The one IDispatch implementation of the module, driven by a class's member
// table. Invoke is written by hand rather than left to the type library, so
// that any argument form a client sends is accepted and by-reference
// outputs can be written back into script variables.

#include <windows.h>

#include <oaidl.h>
#include <ocidl.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "automation/call_args.hpp"
#include "automation/class_info.hpp"
#include "automation/com_bridge.hpp"
#include "automation/dispatch_support.hpp"
#include "automation/member_table.hpp"
#include "automation/module_state.hpp"
#include "automation/named_args.hpp"
#include "automation/native_object.hpp"
#include "com/com_object.hpp"
#include "com/error_translation.hpp"

namespace qv {

// The live COM object of a core object.
class Presenter {
public:
  // The object's IDispatch with a new reference, or null when it is being
  // destroyed.
  virtual IDispatch *retain() noexcept = 0;

protected:
  ~Presenter() = default;
};

} // namespace qv

namespace qv::com {

// A core object has at most one COM object at a time, which registers
// itself with the object while it lives, so properties, items and
// enumerated items give a script the same object (`Is` holds). The COM
// object owns the core object; the core object only points back. Objects
// are made and released on their apartment's thread.
template <class Impl>
class DispatchObject final
    : public ComObject<DispatchObject<Impl>, IDispatch, ISupportErrorInfo, INativeObject, IProvideClassInfo2>,
      public Presenter {
public:
  DispatchObject(std::shared_ptr<Impl> impl, const ClassTable<Impl> &table, ComBridge bridge)
      : impl_(std::move(impl)), table_(table), bridge_(std::move(bridge)) {
    if constexpr (kPresentsObject) impl_->setPresenter(this);
  }
  ~DispatchObject() override {
    if constexpr (kPresentsObject) {
      if (impl_->presenter() == static_cast<Presenter *>(this)) impl_->setPresenter(nullptr);
    }
  }

  IDispatch *retain() noexcept override {
    return this->retainIfAlive() ? static_cast<IDispatch *>(this) : nullptr;
  }

  void *find(REFIID iid) {
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == *table_.iid)
      return static_cast<IDispatch *>(this);
    if (iid == IID_ISupportErrorInfo) return static_cast<ISupportErrorInfo *>(this);
    if (iid == IID_INativeObject) return static_cast<INativeObject *>(this);
    if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
      return static_cast<IProvideClassInfo2 *>(this);
    return nullptr;
  }

  // Script hosts name an object by its coclass.
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo **info) override {
    return coclassInfoOf(*table_.iid, info);
  }

  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID *guid) override {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    // No class raises events: there is no source interface to name.
    return kind == GUIDKIND_DEFAULT_SOURCE_DISP_IID ? S_OK : E_INVALIDARG;
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
    if (found != DISPID_UNKNOWN && count > 1) {
      ids[0] = found;
      return answerParameterNames(*table_.iid, found, names, count, ids);
    }
    return answerNames(found, count, ids);
  }

  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                   EXCEPINFO *info, UINT *) override {
    if (!params) return E_INVALIDARG;
    if (id == DISPID_NEWENUM && table_.enumerate) return enumerate(flags, *params, result, info);
    const Member<Impl> *member = table_.byId(id);
    if (!member) return DISP_E_MEMBERNOTFOUND;
    // Named arguments of a call or get take their places; a put's one
    // named argument is its value.
    std::vector<VARIANT> slots;
    DISPPARAMS placed{};
    if (params->cNamedArgs > 0 && !(flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF))) {
      if (HRESULT hr = placeNamedArguments(*params, member->total, slots, placed); FAILED(hr)) return hr;
      params = &placed;
    }
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
  static constexpr bool kPresentsObject = std::is_base_of_v<Object, Impl>;

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

// The COM object presenting impl through table: the live one when impl has
// one, otherwise a new one.
template <class Impl>
ComPtr<IDispatch> presentObject(std::shared_ptr<Impl> impl, const ClassTable<Impl> &table, ComBridge bridge) {
  if constexpr (std::is_base_of_v<Object, Impl>) {
    if (Presenter *live = impl->presenter()) {
      if (IDispatch *same = live->retain()) return ComPtr<IDispatch>::adopt(same);
    }
  }
  return upcast<IDispatch>(makeComObject<DispatchObject<Impl>>(std::move(impl), table, std::move(bridge)));
}

} // namespace qv::com
