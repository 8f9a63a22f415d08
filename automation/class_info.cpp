#include "automation/class_info.hpp"

#include "automation/module_state.hpp"
#include "platform/win32/com_ptr.hpp"

namespace qv::com {
namespace {

using win32::ComPtr;

// The interface a coclass marks [default], or GUID_NULL.
GUID defaultInterfaceOf(ITypeInfo &coclass, UINT interfaces) {
  for (UINT i = 0; i < interfaces; ++i) {
    INT flags = 0;
    if (FAILED(coclass.GetImplTypeFlags(i, &flags)) || !(flags & IMPLTYPEFLAG_FDEFAULT) ||
        (flags & IMPLTYPEFLAG_FSOURCE)) {
      continue;
    }
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> implemented;
    TYPEATTR *attributes = nullptr;
    if (FAILED(coclass.GetRefTypeOfImplType(i, &reference)) ||
        FAILED(coclass.GetRefTypeInfo(reference, implemented.put())) ||
        FAILED(implemented->GetTypeAttr(&attributes))) {
      continue;
    }
    GUID guid = attributes->guid;
    implemented->ReleaseTypeAttr(attributes);
    return guid;
  }
  return GUID_NULL;
}

} // namespace

HRESULT coclassInfoOf(REFIID defaultInterface, ITypeInfo **info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  // The module's library as already loaded, reached through the interface.
  ComPtr<ITypeInfo> own;
  HRESULT hr = typeInfoOf(defaultInterface, own.put());
  if (FAILED(hr)) return hr;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  hr = own->GetContainingTypeLib(library.put(), &index);
  if (FAILED(hr)) return hr;
  UINT count = library->GetTypeInfoCount();
  for (UINT i = 0; i < count; ++i) {
    TYPEKIND kind = TKIND_MAX;
    if (FAILED(library->GetTypeInfoType(i, &kind)) || kind != TKIND_COCLASS) continue;
    ComPtr<ITypeInfo> coclass;
    TYPEATTR *attributes = nullptr;
    if (FAILED(library->GetTypeInfo(i, coclass.put())) || FAILED(coclass->GetTypeAttr(&attributes))) continue;
    UINT interfaces = attributes->cImplTypes;
    coclass->ReleaseTypeAttr(attributes);
    if (IsEqualIID(defaultInterfaceOf(*coclass.get(), interfaces), defaultInterface)) {
      *info = coclass.detach();
      return S_OK;
    }
  }
  return TYPE_E_ELEMENTNOTFOUND;
}

} // namespace qv::com
