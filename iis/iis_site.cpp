#include "iis/iis_site.hpp"

#include "core/handlers.hpp"
#include "iis/code_tables.hpp"

namespace qv {

IisSite::IisSite(Platform platform) : platform_(std::move(platform)) {}

std::vector<std::pair<std::string, Variant>> IisSite::jsonFields() const {
  return {{"hostBindings", hostBindings_ ? Variant(hostBindings_) : Variant::null()},
          {"aspScriptLanguage", aspScriptLanguage_},
          {"aspScriptTimeout", aspScriptTimeout_},
          {"aspBufferingOn", aspBufferingOn_},
          {"frontpageWeb", frontpageWeb_},
          {"enableDirBrowsing", enableDirBrowsing_},
          {"accessSource", accessSource_},
          {"accessWrite", accessWrite_},
          {"accessRead", accessRead_},
          {"aspSessionTimeout", aspSessionTimeout_},
          {"authAnonymous", authAnonymous_},
          {"anonymousUserName", anonymousUserName_},
          {"path", path_},
          {"Process", process_},
          {"appIsolated", appIsolated_},
          {"executeLevel", executeLevel_},
          {"execute", execute_},
          {"AccessExecute", accessExecute_},
          {"accessScript", accessScript_},
          {"stateString", stateString_},
          {"state", state_},
          {"sitename", sitename_},
          {"size", size_},
          {"id", id_}};
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
