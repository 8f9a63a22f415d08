// Members of _IisSite: the 24 properties in the interface's order, then
// getSiteById. hostBindings is assigned by reference: the object, of any
// class, is shared with the caller, not copied.

#include <type_traits>

#include "automation/class_tables.hpp"
#include "iis/iis_site.hpp"
#include "quorvane_h.h"

namespace qv::com {
namespace {

template <class Member> struct MemberOf;
template <class Class, class Field> struct MemberOf<Field Class::*> {
  using Owner = Class;
  using Type = Field;
};

// The field a property names, in the site or in its settings.
template <auto member> auto &fieldOf(IisSite &site) {
  if constexpr (std::is_same_v<typename MemberOf<decltype(member)>::Owner, SiteSettings>)
    return site.settings.*member;
  else
    return site.*member;
}

template <auto member> Variant read(IisSite &site, CallArgs &) { return Variant(fieldOf<member>(site)); }

template <auto member> Variant write(IisSite &site, CallArgs &a) {
  using Type = typename MemberOf<decltype(member)>::Type;
  auto &field = fieldOf<member>(site);
  if constexpr (std::is_same_v<Type, std::string>)
    field = a.text(0);
  else if constexpr (std::is_same_v<Type, int32_t>)
    field = a.int32(0);
  else if constexpr (std::is_same_v<Type, bool>)
    field = a.flag(0);
  else
    field = a.number(0);
  return {};
}

} // namespace

const ClassTable<IisSite> &iisSiteTable() {
  using S = SiteSettings;
  static const ClassTable<IisSite> table =
      TableBuilder<IisSite>(DIID__IisSite)
          .objectProperty(
              L"hostBindings", [](IisSite &s, CallArgs &) -> Variant { return s.settings.bindings; },
              [](IisSite &s, CallArgs &a) -> Variant {
                s.settings.bindings = a.object(0);
                return {};
              })
          .property(L"aspScriptLanguage", read<&S::aspScriptLanguage>, write<&S::aspScriptLanguage>)
          .property(L"aspScriptTimeout", read<&S::aspScriptTimeout>, write<&S::aspScriptTimeout>)
          .property(L"aspBufferingOn", read<&S::aspBufferingOn>, write<&S::aspBufferingOn>)
          .property(L"frontpageWeb", read<&S::frontpageWeb>, write<&S::frontpageWeb>)
          .property(L"enableDirBrowsing", read<&S::enableDirBrowsing>, write<&S::enableDirBrowsing>)
          .property(L"accessSource", read<&S::accessSource>, write<&S::accessSource>)
          .property(L"accessWrite", read<&S::accessWrite>, write<&S::accessWrite>)
          .property(L"accessRead", read<&S::accessRead>, write<&S::accessRead>)
          .property(L"aspSessionTimeout", read<&S::aspSessionTimeout>, write<&S::aspSessionTimeout>)
          .property(L"authAnonymous", read<&S::authAnonymous>, write<&S::authAnonymous>)
          .property(L"anonymousUserName", read<&S::anonymousUserName>, write<&S::anonymousUserName>)
          .property(L"path", read<&S::path>, write<&S::path>)
          .property(L"Process", read<&IisSite::processText>, write<&IisSite::processText>)
          .property(L"appIsolated", read<&S::appIsolated>, write<&S::appIsolated>)
          .property(L"executeLevel", read<&IisSite::executeLevel>, write<&IisSite::executeLevel>)
          .property(L"execute", read<&IisSite::executeText>, write<&IisSite::executeText>)
          .property(L"AccessExecute", read<&S::accessExecute>, write<&S::accessExecute>)
          .property(L"accessScript", read<&S::accessScript>, write<&S::accessScript>)
          .property(L"stateString", read<&IisSite::stateText>, write<&IisSite::stateText>)
          .property(L"state", read<&S::state>, write<&S::state>)
          .property(L"sitename", read<&S::description>, write<&S::description>)
          .property(L"size", read<&S::size>, write<&S::size>)
          .property(L"id", read<&S::id>, write<&S::id>)
          .method(L"getSiteById", 2, 0,
                  [](IisSite &s, CallArgs &a) -> Variant { return s.getSiteById(a.text(0), a.int32(1)); })
          .build();
  return table;
}

} // namespace qv::com
