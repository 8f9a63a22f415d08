// Every member the type library describes is the member the dispatch table
// answers under the same DISPID, so early-binding clients and late-bound
// scripts see one interface, in one order. Object browsers find a help
// string for every class and member that names each parameter, the
// defaults the classes apply, and the optional parameters marked. Script
// hosts name an object by the coclass IProvideClassInfo2 gives.

#include <ocidl.h>

#include <map>
#include <regex>
#include <set>

#include "tests/wine/com_client.hpp"

namespace qv::comcheck {
namespace {

// Parameters a call may leave out, with the default the class applies
// ("" where it has none).
const std::map<std::wstring, std::string> kOptional{{L"Add.Key", ""},
                                                    {L"Add.Before", ""},
                                                    {L"Add.After", ""},
                                                    {L"EnumLogEvents.pagesize", "25"},
                                                    {L"EnumLogEvents.pagenum", "1"},
                                                    {L"getLogPage.pagesize", "25"},
                                                    {L"getLogPage.page", "1"},
                                                    {L"getEvent.logfile", ""},
                                                    {L"findEvents.since", ""},
                                                    {L"findEvents.types", ""},
                                                    {L"findEvents.maxEvents", "100"},
                                                    {L"tryConnection.cn", ""}};

std::wstring helpOf(ITypeInfo *info, MEMBERID id) {
  Bstr help;
  info->GetDocumentation(id, nullptr, help.put(), nullptr, nullptr);
  return help.get() ? help.get() : L"";
}

// The object's type information against its dispatch table; and the
// coclass IProvideClassInfo2 gives.
void checkType(Checks &checks, IDispatch *object, const std::wstring &coclass, REFIID iid,
               std::size_t members, const std::wstring &interfaceName) {
  const std::string name = narrow(coclass);
  ComPtr<ITypeInfo> info;
  TYPEATTR *attributes = nullptr;
  if (!object || FAILED(object->GetTypeInfo(0, 0, info.put())) || FAILED(info->GetTypeAttr(&attributes)))
    return checks.expect(false, name + " is creatable and GetTypeInfo gives its interface");
  Bstr own;
  info->GetDocumentation(MEMBERID_NIL, own.put(), nullptr, nullptr, nullptr);
  checks.expect(own.get() && own.get() == interfaceName,
                name + ": its interface is named " + narrow(interfaceName) + ", found " + own.utf8());
  std::set<DISPID> ids;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FUNCDESC *function = nullptr;
    if (FAILED(info->GetFuncDesc(i, &function))) continue;
    BSTR names[32] = {};
    UINT count = 0;
    info->GetNames(function->memid, names, 32, &count);
    std::vector<std::wstring> texts; // the member's name, then its parameters'
    for (UINT n = 0; n < count; ++n)
      texts.emplace_back(Bstr::adopt(names[n]).get());
    texts.resize(function->cParams + 1, L"?");
    const std::string member = name + "." + narrow(texts[0]);
    const std::wstring help = helpOf(info.get(), function->memid);
    checks.expect(idOf(object, texts[0].c_str()) == function->memid && !help.empty(),
                  member + ": the table answers the type library's DISPID; it has a help string");
    // The value of a property put is the property itself.
    const bool put = function->invkind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF);
    for (SHORT p = 0; !put && p < function->cParams; ++p) {
      const std::wstring &parameter = texts[p + 1];
      const PARAMDESC &desc = function->lprgelemdescParam[p].paramdesc;
      const bool optional = desc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT);
      const std::string found = (desc.wParamFlags & PARAMFLAG_FHASDEFAULT) && desc.pparamdescex
                                    ? textOf(desc.pparamdescex->varDefaultValue)
                                    : "";
      auto known = kOptional.find(texts[0] + L"." + parameter);
      checks.expect(std::regex_search(help, std::wregex(L"\\b" + parameter + L"\\b")) &&
                        optional == (known != kOptional.end()) &&
                        found == (known == kOptional.end() ? "" : known->second),
                    std::string(member)
                        .append("(")
                        .append(narrow(parameter))
                        .append(") is named in the help string and ")
                        .append(optional ? "optional" : "required")
                        .append(", default [")
                        .append(found)
                        .append("]"));
    }
    if (function->memid == DISPID_VALUE)
      checks.expect(function->invkind == INVOKE_PROPERTYGET,
                    member + ": the default member is a property get");
    ids.insert(function->memid);
    info->ReleaseFuncDesc(function);
  }
  // Positions from 1 without gaps: the interface's order is the table's
  // (the collection's members have their own DISPIDs).
  checks.expect(IsEqualIID(attributes->guid, iid) && attributes->typekind == TKIND_DISPATCH &&
                    ids.size() == members && !helpOf(info.get(), MEMBERID_NIL).empty() &&
                    (iid == DIID__Collection
                         ? ids.contains(DISPID_VALUE)
                         : *ids.begin() == 1 && *ids.rbegin() == static_cast<DISPID>(members)),
                name + ": its dispinterface, with a help string and " + std::to_string(members) +
                    " members at positions from 1, found " + std::to_string(ids.size()));
  info->ReleaseTypeAttr(attributes);
  auto provider = ComPtr<IDispatch>(object).query<IProvideClassInfo2>(IID_IProvideClassInfo2);
  ComPtr<ITypeInfo> coclassInfo;
  Bstr named;
  GUID source = IID_IUnknown;
  const bool answered =
      provider && SUCCEEDED(provider->GetClassInfo(coclassInfo.put())) &&
      SUCCEEDED(coclassInfo->GetDocumentation(MEMBERID_NIL, named.put(), nullptr, nullptr, nullptr)) &&
      provider->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) == S_OK;
  checks.expect(answered && named.get() == coclass && !helpOf(coclassInfo.get(), MEMBERID_NIL).empty() &&
                    source == GUID_NULL,
                name + ": IProvideClassInfo2 names the coclass, with a help string, and no event source: " +
                    named.utf8());
}

} // namespace

void checkTypeLibrary(Checks &checks) {
  for (const Class &c : kClasses)
    checkType(checks, create(c.coclass).get(), c.coclass, *c.iid, c.members, c.interfaceName);
  // A result collection.
  VariantValue record = osRecord();
  if (record.type() != VT_DISPATCH) return checks.expect(false, "osInfo gives a collection");
  checkType(checks, V_DISPATCH(record.get()), L"Collection", DIID__Collection, 8, L"_Collection");
}

} // namespace qv::comcheck
