#pragma once
// The late-bound object every lab provider object is: IDispatch with member
// names found without regard to case, failures through EXCEPINFO and the
// thread's error information. A subclass names its members and carries out
// a call; the lab's lock is held for the call.

#include <windows.h>

#include <oaidl.h>

#include <string>
#include <string_view>

#include "com/com_object.hpp"
#include "lab/com/call_args.hpp"

namespace qv::lab {

struct Computer;

class LabDispatch : public com::ComObject<LabDispatch, IDispatch, ISupportErrorInfo> {
public:
  void *find(REFIID iid);

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS *params, VARIANT *result,
                                   EXCEPINFO *exception, UINT *argError) override;

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // The computer a bind of this object goes to, and the one each of its
  // calls goes to (none: answered without a round trip). A slow or dead
  // host holds up only its own callers: the wait is outside the lab's lock.
  virtual const Computer *boundHost() const { return nullptr; }
  virtual const Computer *callHost() const { return nullptr; }

protected:
  explicit LabDispatch(const char *source) : source_(source) {}

  // The member's DISPID, or DISPID_UNKNOWN.
  virtual DISPID memberId(std::string_view name) = 0;
  virtual void call(DISPID id, WORD flags, CallArgs &args, VARIANT &result) = 0;

  static bool isAssignment(WORD flags) { return flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF); }

private:
  const char *source_;
};

// Waits as long as the host takes to answer: its latency, or until the
// process ends for a host that never answers. The callers held that way
// are counted in the environment variable QV_LAB_STUCK_CALLERS.
void awaitAnswer(const Computer *host);

// What a catch (...) at one of the lab's entry points returns: a lab failure
// with the platform's HRESULT and text, anything else as the product
// translates it.
HRESULT failLabCall(REFIID iid, EXCEPINFO *info, const char *source) noexcept;

// Hands a new object to a VARIANT (the reference moves into it).
template <class T> void giveObject(com::ComPtr<T> object, VARIANT &out) {
  VariantClear(&out);
  V_VT(&out) = VT_DISPATCH;
  V_DISPATCH(&out) = static_cast<IDispatch *>(object.detach());
}

// Fixed member names with their DISPIDs, looked up without regard to case.
struct NamedMember {
  const char *name;
  DISPID id;
};
DISPID findMember(const NamedMember *members, std::size_t count, std::string_view name);

} // namespace qv::lab
