#include "iis/iis_site.hpp"

#include "core/handlers.hpp"
#include "iis/code_tables.hpp"
#include "iis/site_settings.hpp"

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
    const SiteSettings &s = *settings;
    site->size_ = s.size;
    site->id_ = s.id;
    site->sitename_ = s.description;
    site->state_ = s.state;
    site->stateString_ = stateText(s.state).value_or(kUnknownState);
    site->hostBindings_ = s.bindings;
    site->accessScript_ = s.accessScript;
    site->accessExecute_ = s.accessExecute;
    ExecuteLevel level = executeLevelFor(s.accessScript, s.accessExecute);
    site->executeLevel_ = level.level;
    site->execute_ = level.text;
    site->appIsolated_ = s.appIsolated;
    site->process_ = processLevelText(s.appIsolated).value_or(kUnknownProcessLevel);
    site->path_ = s.path;
    site->anonymousUserName_ = s.anonymousUserName;
    site->authAnonymous_ = s.authAnonymous;
    site->accessRead_ = s.accessRead;
    site->accessWrite_ = s.accessWrite;
    site->accessSource_ = s.accessSource;
    site->enableDirBrowsing_ = s.enableDirBrowsing;
    site->frontpageWeb_ = s.frontpageWeb;
    site->aspBufferingOn_ = s.aspBufferingOn;
    site->aspScriptTimeout_ = s.aspScriptTimeout;
    site->aspSessionTimeout_ = s.aspSessionTimeout;
    site->aspScriptLanguage_ = s.aspScriptLanguage;
    return site;
  });
}

} // namespace qv
