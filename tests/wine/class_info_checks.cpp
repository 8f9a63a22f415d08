// IProvideClassInfo2 of every class and of results: script hosts name an
// object by the coclass it answers, whose default interface must be the one
// the object's own GetTypeInfo describes.

#include <ocidl.h>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

GUID guidOf(ITypeInfo &info) {
  TYPEATTR *attributes = nullptr;
  if (FAILED(info.GetTypeAttr(&attributes))) return GUID_NULL;
  GUID guid = attributes->guid;
  info.ReleaseTypeAttr(attributes);
  return guid;
}

GUID defaultInterfaceOf(ITypeInfo &coclass) {
  for (UINT i = 0;; ++i) {
    INT flags = 0;
    if (FAILED(coclass.GetImplTypeFlags(i, &flags))) return GUID_NULL;
    if (!(flags & IMPLTYPEFLAG_FDEFAULT)) continue;
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> implemented;
    if (FAILED(coclass.GetRefTypeOfImplType(i, &reference)) ||
        FAILED(coclass.GetRefTypeInfo(reference, implemented.put()))) {
      return GUID_NULL;
    }
    return guidOf(*implemented.get());
  }
}

void checkClassInfo(Checks &checks, IDispatch *object, const std::string &what, const wchar_t *coclass) {
  ComPtr<IProvideClassInfo2> provider;
  object->QueryInterface(IID_IProvideClassInfo2, provider.putVoid());
  checks.expect(static_cast<bool>(provider), what + " answers IProvideClassInfo2");
  if (!provider) return;
  ComPtr<ITypeInfo> info;
  checks.expect(SUCCEEDED(provider->GetClassInfo(info.put())) && info, what + ": GetClassInfo succeeds");
  if (!info) return;
  Bstr name;
  info->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
  checks.expect(name.get() && std::wstring(name.get()) == coclass,
                what + ": the coclass is named " + Bstr(coclass).utf8() + ", got " + name.utf8());
  ComPtr<ITypeInfo> own;
  object->GetTypeInfo(0, LOCALE_USER_DEFAULT, own.put());
  checks.expect(own && IsEqualIID(defaultInterfaceOf(*info.get()), guidOf(*own.get())),
                what + ": the coclass's default interface is the object's own");
  GUID source = IID_IUnknown;
  checks.expect(provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) == S_OK && source == GUID_NULL,
                what + ": no event source");
}

} // namespace

void checkClassInfos(Checks &checks) {
  const std::pair<const wchar_t *, const wchar_t *> classes[] = {
      {L"Quorvane.Services", L"Services"},     {L"Quorvane.iis", L"iis"},
      {L"Quorvane.IisSite", L"IisSite"},       {L"Quorvane.Util", L"Util"},
      {L"Quorvane.ServerInfo", L"ServerInfo"}, {L"Quorvane.process", L"process"},
      {L"Quorvane.EventLog", L"EventLog"},     {L"Quorvane.TerminalServices", L"TerminalServices"},
      {L"Quorvane.Tools", L"Tools"},
  };
  for (const auto &[progId, coclass] : classes) {
    ComPtr<IDispatch> object = create(progId);
    std::string name = Bstr(progId).utf8();
    checks.expect(static_cast<bool>(object), name + " is creatable");
    if (object) checkClassInfo(checks, object.get(), name, coclass);
  }
  ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
  if (!info) return;
  CallResult outer = call(info.get(), L"osInfo", {*owned(text(L".")).get()});
  CallResult inner = call(info.get(), L"osInfo", {*owned(text(L".")).get()});
  checks.expect(outer.value.type() == VT_DISPATCH && inner.value.type() == VT_DISPATCH,
                "osInfo gives a record");
  if (outer.value.type() != VT_DISPATCH || inner.value.type() != VT_DISPATCH) return;
  IDispatch *record = V_DISPATCH(outer.value.get());
  checkClassInfo(checks, record, "a result", L"Collection");
  call(record, L"Add", {object(V_DISPATCH(inner.value.get())), *owned(text(L"nested")).get()});
  CallResult nested = call(record, L"Item", {*owned(text(L"nested")).get()});
  checks.expect(nested.value.type() == VT_DISPATCH, "a record holds a nested collection");
  if (nested.value.type() == VT_DISPATCH) {
    checkClassInfo(checks, V_DISPATCH(nested.value.get()), "a nested collection", L"Collection");
    CallResult again = call(record, L"Item", {*owned(text(L"NESTED")).get()});
    checks.expect(again.value.type() == VT_DISPATCH &&
                      V_DISPATCH(again.value.get()) == V_DISPATCH(nested.value.get()) &&
                      V_DISPATCH(again.value.get()) == V_DISPATCH(inner.value.get()),
                  "a nested collection is the same COM object on every read and as it was added");
  }
}

} // namespace qv::comcheck
