// Every member the type library describes is the member the dispatch table
// answers under the same DISPID, so early-binding clients and late-bound
// scripts see one interface, in one order.

#include <cwctype>
#include <set>
#include <string>

#include "quorvane_h.h"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

struct Expected {
  const wchar_t *progId;
  const IID *iid;
  std::size_t members;
};

void checkInterface(Checks &checks, IDispatch *object, const std::string &name, REFIID iid,
                    std::size_t members) {
  ComPtr<ITypeInfo> info;
  checks.expect(SUCCEEDED(object->GetTypeInfo(0, LOCALE_USER_DEFAULT, info.put())) && info,
                name + ": GetTypeInfo gives the interface");
  if (!info) return;
  TYPEATTR *attributes = nullptr;
  if (FAILED(info->GetTypeAttr(&attributes))) return;
  checks.expect(IsEqualIID(attributes->guid, iid) && attributes->typekind == TKIND_DISPATCH,
                name + ": the type information is its dispinterface");
  std::set<DISPID> ids;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC *function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    Bstr member;
    info->GetDocumentation(function->memid, member.put(), nullptr, nullptr, nullptr);
    std::wstring upper(member.get() ? member.get() : L"");
    for (wchar_t &c : upper)
      c = static_cast<wchar_t>(std::towupper(c));
    checks.expect(idOf(object, member.get()) == function->memid,
                  name + "." + member.utf8() + ": the table answers the DISPID of the type library");
    checks.expect(idOf(object, upper.c_str()) == function->memid,
                  name + "." + member.utf8() + " matches in any case");
    ids.insert(function->memid);
    info->ReleaseFuncDesc(function);
  }
  info->ReleaseTypeAttr(attributes);
  checks.expect(ids.size() == members, name + ": " + std::to_string(members) + " members");
  for (DISPID id = 1; id < static_cast<DISPID>(members); ++id) {
    // Positions from 1 without gaps: the interface's order is the table's.
    if (!ids.contains(id) && !(iid == DIID__Collection)) {
      checks.expect(false, name + ": member " + std::to_string(id) + " missing from the type library");
    }
  }
}

} // namespace

void checkTypeLibrary(Checks &checks) {
  const Expected classes[] = {
      {L"Quorvane.Services", &DIID__Services, 8},
      {L"Quorvane.iis", &DIID__iis, 13},
      {L"Quorvane.IisSite", &DIID__IisSite, 25},
      {L"Quorvane.Util", &DIID__Util, 4},
      {L"Quorvane.ServerInfo", &DIID__ServerInfo, 6},
      {L"Quorvane.process", &DIID__Process, 3},
      {L"Quorvane.EventLog", &DIID__EventLog, 4},
      {L"Quorvane.TerminalServices", &DIID__TerminalServices, 2},
      {L"Quorvane.Tools", &DIID__Tools, 6},
      {L"Quorvane.Fleet", &DIID__Fleet, 3},
  };
  for (const auto &expected : classes) {
    ComPtr<IDispatch> object = create(expected.progId);
    std::string name(expected.progId, expected.progId + wcslen(expected.progId));
    checks.expect(static_cast<bool>(object), name + " is creatable");
    if (object) checkInterface(checks, object.get(), name, *expected.iid, expected.members);
  }
  ComPtr<IDispatch> info = create(L"Quorvane.ServerInfo");
  if (!info) return;
  CallResult os = call(info.get(), L"osInfo", {*owned(text(L".")).get()});
  checks.expect(os.value.type() == VT_DISPATCH, "osInfo gives a collection to inspect");
  if (os.value.type() == VT_DISPATCH) {
    checkInterface(checks, V_DISPATCH(os.value.get()), "Collection", DIID__Collection, 5);
  }
}

} // namespace qv::comcheck
