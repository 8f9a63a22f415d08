// Members of _IisSite: the 24 properties in the interface's order, then
// getSiteById. hostBindings is assigned by reference: the object, of any
// class, is shared with the caller, not copied.

#include "automation/class_tables.hpp"
#include "iis/iis_site.hpp"
#include "quorvane_h.h"

namespace qv::com {
namespace {

template <auto get> Variant read(IisSite &site, CallArgs &) { return Variant((site.*get)()); }

template <auto set> Variant writeText(IisSite &site, CallArgs &a) {
  (site.*set)(a.text(0));
  return {};
}
template <auto set> Variant writeInt32(IisSite &site, CallArgs &a) {
  (site.*set)(a.int32(0));
  return {};
}
template <auto set> Variant writeBool(IisSite &site, CallArgs &a) {
  (site.*set)(a.flag(0));
  return {};
}
template <auto set> Variant writeDouble(IisSite &site, CallArgs &a) {
  (site.*set)(a.number(0));
  return {};
}

} // namespace

const ClassTable<IisSite> &iisSiteTable() {
  using S = IisSite;
  static const ClassTable<IisSite> table =
      TableBuilder<IisSite>(DIID__IisSite)
          .objectProperty(
              L"hostBindings", [](S &s, CallArgs &) -> Variant { return s.hostBindings(); },
              [](S &s, CallArgs &a) -> Variant {
                s.setHostBindings(a.object(0));
                return {};
              })
          .property(L"aspScriptLanguage", read<&S::aspScriptLanguage>, writeText<&S::setAspScriptLanguage>)
          .property(L"aspScriptTimeout", read<&S::aspScriptTimeout>, writeInt32<&S::setAspScriptTimeout>)
          .property(L"aspBufferingOn", read<&S::aspBufferingOn>, writeBool<&S::setAspBufferingOn>)
          .property(L"frontpageWeb", read<&S::frontpageWeb>, writeBool<&S::setFrontpageWeb>)
          .property(L"enableDirBrowsing", read<&S::enableDirBrowsing>, writeBool<&S::setEnableDirBrowsing>)
          .property(L"accessSource", read<&S::accessSource>, writeBool<&S::setAccessSource>)
          .property(L"accessWrite", read<&S::accessWrite>, writeBool<&S::setAccessWrite>)
          .property(L"accessRead", read<&S::accessRead>, writeBool<&S::setAccessRead>)
          .property(L"aspSessionTimeout", read<&S::aspSessionTimeout>, writeInt32<&S::setAspSessionTimeout>)
          .property(L"authAnonymous", read<&S::authAnonymous>, writeBool<&S::setAuthAnonymous>)
          .property(L"anonymousUserName", read<&S::anonymousUserName>, writeText<&S::setAnonymousUserName>)
          .property(L"path", read<&S::path>, writeText<&S::setPath>)
          .property(L"Process", read<&S::Process>, writeText<&S::setProcess>)
          .property(L"appIsolated", read<&S::appIsolated>, writeInt32<&S::setAppIsolated>)
          .property(L"executeLevel", read<&S::executeLevel>, writeInt32<&S::setExecuteLevel>)
          .property(L"execute", read<&S::execute>, writeText<&S::setExecute>)
          .property(L"AccessExecute", read<&S::AccessExecute>, writeBool<&S::setAccessExecute>)
          .property(L"accessScript", read<&S::accessScript>, writeBool<&S::setAccessScript>)
          .property(L"stateString", read<&S::stateString>, writeText<&S::setStateString>)
          .property(L"state", read<&S::state>, writeInt32<&S::setState>)
          .property(L"sitename", read<&S::sitename>, writeText<&S::setSitename>)
          .property(L"size", read<&S::size>, writeDouble<&S::setSize>)
          .property(L"id", read<&S::id>, writeInt32<&S::setId>)
          .method(L"getSiteById", 2, 0,
                  [](S &s, CallArgs &a) -> Variant { return s.getSiteById(a.text(0), a.int32(1)); })
          .build();
  return table;
}

} // namespace qv::com
