// Every member the type library describes is the member the dispatch table
// answers under the same DISPID, so early-binding clients and late-bound
// scripts see one interface, in one order. Object browsers find a help
// string for every class and member that names each parameter, the
// defaults the classes apply, and the optional parameters marked.

#include <cwctype>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "quorvane_h.h"
#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

// Parameters a call may leave out, with the default the class applies
// where it has one (nullptr: the parameter is optional without a default).
const std::map<std::wstring, const long *> &optionalParameters() {
  static const long pageSize = 25;
  static const long pageNumber = 1;
  static const std::map<std::wstring, const long *> known{{L"Add.Key", nullptr},
                                                          {L"Add.Before", nullptr},
                                                          {L"Add.After", nullptr},
                                                          {L"EnumLogEvents.pagesize", &pageSize},
                                                          {L"EnumLogEvents.pagenum", &pageNumber},
                                                          {L"getLogPage.pagesize", &pageSize},
                                                          {L"getLogPage.page", &pageNumber},
                                                          {L"getEvent.logfile", nullptr},
                                                          {L"tryConnection.cn", nullptr}};
  return known;
}

// name occurs in text as a word of its own.
bool namesWord(const std::wstring &text, const std::wstring &name) {
  auto isWordChar = [](wchar_t c) { return std::iswalnum(c) || c == L'_'; };
  for (std::size_t at = text.find(name); at != std::wstring::npos; at = text.find(name, at + 1)) {
    bool before = at == 0 || !isWordChar(text[at - 1]);
    bool after = at + name.size() == text.size() || !isWordChar(text[at + name.size()]);
    if (before && after) return true;
  }
  return false;
}

std::wstring helpOf(ITypeInfo *info, MEMBERID id) {
  Bstr help;
  info->GetDocumentation(id, nullptr, help.put(), nullptr, nullptr);
  return help.get() ? help.get() : L"";
}

// The member's help string names each parameter (the value of a property
// put is the property itself); defaults and optional flags as the classes
// apply them.
void checkDocumentation(Checks &checks, ITypeInfo *info, const FUNCDESC &function, const std::string &name) {
  std::wstring help = helpOf(info, function.memid);
  checks.expect(!help.empty(), name + " has a help string");
  BSTR names[32] = {};
  UINT count = 0;
  info->GetNames(function.memid, names, 32, &count);
  std::vector<Bstr> texts;
  for (UINT i = 0; i < count; ++i)
    texts.push_back(Bstr::adopt(names[i]));
  bool put = function.invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
  std::wstring member = count > 0 ? texts[0].get() : L"";
  for (SHORT i = 0; i < function.cParams; ++i) {
    if (put) continue;
    std::wstring parameter = static_cast<UINT>(i + 1) < count ? texts[i + 1].get() : L"?";
    std::string what = name;
    what += '(';
    what += Bstr(parameter.c_str()).utf8();
    what += ')';
    checks.expect(namesWord(help, parameter), what + " is named in the member's help string");
    const PARAMDESC &desc = function.lprgelemdescParam[i].paramdesc;
    std::wstring key = member;
    key += L'.';
    key += parameter;
    auto known = optionalParameters().find(key);
    bool optional = desc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
    checks.expect(optional == (known != optionalParameters().end()),
                  what + (optional ? " is marked optional" : " is required"));
    if (known == optionalParameters().end()) continue;
    bool hasDefault = (desc.wParamFlags & PARAMFLAG_FHASDEFAULT) && desc.pparamdescex;
    if (!known->second) {
      checks.expect(!hasDefault, what + " has no default");
      continue;
    }
    VariantValue expected = owned(int32(*known->second));
    checks.expect(hasDefault &&
                      VarCmp(&desc.pparamdescex->varDefaultValue, expected.get(), 0, 0) == VARCMP_EQ,
                  what + " has the default " + std::to_string(*known->second) + ", found " +
                      (hasDefault ? "VARTYPE " + std::to_string(V_VT(&desc.pparamdescex->varDefaultValue)) +
                                        " " + textOf(desc.pparamdescex->varDefaultValue)
                                  : std::string("none")));
  }
}

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
  checks.expect(!helpOf(info.get(), MEMBERID_NIL).empty(), name + ": the interface has a help string");
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
    checkDocumentation(checks, info.get(), *function, name + "." + member.utf8());
    if (function->memid == DISPID_VALUE) {
      checks.expect(function->invkind == INVOKE_PROPERTYGET, name + ": the default member is a property get");
    }
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
      {L"Quorvane.process", &DIID__process, 3},
      {L"Quorvane.EventLog", &DIID__EventLog, 5},
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
    checkInterface(checks, V_DISPATCH(os.value.get()), "Collection", DIID__Collection, 8);
  }
  // Every class and interface of the library, the non-creatable Collection
  // included, has a help string.
  ComPtr<ITypeInfo> own;
  ComPtr<ITypeLib> library;
  UINT index = 0;
  if (FAILED(info->GetTypeInfo(0, 0, own.put())) ||
      FAILED(own->GetContainingTypeLib(library.put(), &index))) {
    checks.expect(false, "the type library is reachable from an object");
    return;
  }
  for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
    Bstr name;
    Bstr help;
    library->GetDocumentation(static_cast<INT>(i), name.put(), help.put(), nullptr, nullptr);
    checks.expect(help.get() && *help.get(), name.utf8() + " has a help string");
  }
}

} // namespace qv::comcheck
