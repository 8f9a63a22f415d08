#include "iis/iis_site.hpp"

#include "core/handlers.hpp"
#include "iis/code_tables.hpp"

namespace qv {

IisSite::IisSite(Platform platform) : platform_(std::move(platform)) {}

std::vector<std::pair<std::string, Variant>> IisSite::jsonFields() const {
  const SiteSettings &s = settings;
  return {{"hostBindings", s.bindings ? Variant(s.bindings) : Variant::null()},
          {"aspScriptLanguage", s.aspScriptLanguage},
          {"aspScriptTimeout", s.aspScriptTimeout},
          {"aspBufferingOn", s.aspBufferingOn},
          {"frontpageWeb", s.frontpageWeb},
          {"enableDirBrowsing", s.enableDirBrowsing},
          {"accessSource", s.accessSource},
          {"accessWrite", s.accessWrite},
          {"accessRead", s.accessRead},
          {"aspSessionTimeout", s.aspSessionTimeout},
          {"authAnonymous", s.authAnonymous},
          {"anonymousUserName", s.anonymousUserName},
          {"path", s.path},
          {"Process", processText},
          {"appIsolated", s.appIsolated},
          {"executeLevel", executeLevel},
          {"execute", executeText},
          {"AccessExecute", s.accessExecute},
          {"accessScript", s.accessScript},
          {"stateString", stateText},
          {"state", s.state},
          {"sitename", s.description},
          {"size", s.size},
          {"id", s.id}};
}

std::shared_ptr<IisSite> IisSite::getSiteById(const std::string &computerName, int32_t fetchId) const {
  return reportAndFail("Error with Quorvane.IisSite.getSiteById", [&] {
    auto site = std::make_shared<IisSite>(platform_);
    auto settings = readSiteSettings(platform_, computerName, fetchId);
    if (!settings) return site;
    site->settings = std::move(*settings);
    const SiteSettings &s = site->settings;
    site->stateText = qv::stateText(s.state).value_or(kUnknownState);
    site->processText = processLevelText(s.appIsolated).value_or(kUnknownProcessLevel);
    ExecuteLevel level = executeLevelFor(s.accessScript, s.accessExecute);
    site->executeLevel = level.level;
    site->executeText = level.text;
    return site;
  });
}

} // namespace qv
