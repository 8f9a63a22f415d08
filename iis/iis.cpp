#include "iis/iis.hpp"

#include <vector>

#include "core/handlers.hpp"
#include "iis/code_tables.hpp"
#include "iis/directory_values.hpp"
#include "iis/iis_common.hpp"
#include "iis/iis_paths.hpp"
#include "iis/iis_site.hpp"
#include "iis/iis_tool.hpp"
#include "iis/site_settings.hpp"

namespace qv {

Iis::Iis(Platform platform) : platform_(std::move(platform)) {}

CollectionPtr Iis::getSite() {
  return reportAndFail("Error with Quorvane.Iis.getSite", [&] {
    auto record = newRecord();
    auto settings = readSiteSettings(platform_, computerName_, siteId_);
    if (!settings) return record;
    const SiteSettings &s = *settings;
    CollectionPtr filters = getISAPIFilters(platform_, computerName_, s.key);
    ExecuteLevel level = executeLevelFor(s.accessScript, s.accessExecute);

    record->add(Variant(s.size), "Size");
    record->add(Variant(s.id), "siteId");
    record->add(Variant(s.description), "name");
    record->add(Variant(s.state), "statusId");
    record->add(Variant(filters), "ISAPIFilters");
    record->add(Variant(s.bindings), "Bindings");
    if (auto status = stateText(s.state)) record->add(Variant(*status), "status");
    record->add(Variant(level.level), "ExecuteLevel");
    record->add(Variant(level.text), "Execute");
    if (auto process = processLevelText(s.appIsolated)) record->add(Variant(*process), "Process");
    record->add(Variant(s.path), "path");
    record->add(Variant(s.anonymousUserName), "SiteAnonUser");
    record->add(Variant(s.authAnonymous), "AllowAnonymous");
    record->add(Variant(s.aspSessionTimeout), "SessionTimeout");
    record->add(Variant(s.accessRead), "ReadAccess");
    record->add(Variant(s.accessWrite), "WriteAccess");
    record->add(Variant(s.accessSource), "SourceAccess");
    record->add(Variant(s.appIsolated), "ProcessLevel");
    record->add(Variant(s.enableDirBrowsing), "DirectoryBrowsing");
    record->add(Variant(s.frontpageWeb), "FrontPageEnabled");
    record->add(Variant(s.aspBufferingOn), "ASPbuffer");
    record->add(Variant(s.aspScriptTimeout), "AspScriptTimeout");
    record->add(Variant(s.aspSessionTimeout), "AspSessionTimeout");
    record->add(Variant(s.aspScriptLanguage), "AspScriptLanguage");
    return record;
  });
}

CollectionPtr Iis::getSites() {
  return reportAndFail("Error with Quorvane.Iis.getSites", [&] {
    const Regional &regional = *platform_.regional;
    auto sites = std::make_shared<Collection>();
    DirectoryObjectPtr service = platform_.directory->bind(webServicePath(computerName_));
    for (const auto &child : service->children({})) {
      if (!hasClass(*child, kWebServerClass, regional)) continue;
      auto record = newRecord();
      record->add(Variant(readInt32(*child, "Name", regional)), "W3SVSID");
      record->add(Variant(readText(*child, "ServerComment", regional)), "ServerComment");
      record->add(Variant(readInt32(*child, "ServerState", regional)), "ServerState");
      sites->add(Variant(record), readText(*child, "Name", regional));
    }
    return sites;
  });
}

CollectionPtr Iis::getSitesExtended() {
  return reportAndFail("Error with Quorvane.Iis.getSitesExtended", [&] {
    const Regional &regional = *platform_.regional;
    auto sites = std::make_shared<Collection>();
    DirectoryObjectPtr service = platform_.directory->bind(webServicePath(computerName_));
    IisSite reader(platform_);
    for (const auto &child : service->children({})) {
      if (!hasClass(*child, kWebServerClass, regional)) continue;
      auto site = reader.getSiteById(computerName_, readInt32(*child, "Name", regional));
      sites->add(Variant(site), readText(*child, "Name", regional));
    }
    return sites;
  });
}

void Iis::requestState(const char *method, const char *message) {
  reportAndFail(message, [&] {
    DirectoryObjectPtr site = platform_.directory->bind(webSitePath(computerName_, siteId_));
    std::vector<Variant> none;
    site->call(method, none);
  });
}

void Iis::startSite() { requestState("start", "Error in Iis.startIIS"); }
void Iis::stopSite() { requestState("Stop", "Error in Iis.stopIIS"); }
void Iis::pauseSite() { requestState("Pause", "Error in Iis.pauseIIS"); }
void Iis::resumeSite() { requestState("Continue", "Error in Iis.resumeIIS"); }

void Iis::restartSite() {
  noHandler([&] {
    stopSite();
    startSite();
  });
}

CollectionPtr Iis::iisBackupFiles() {
  return reportAndFail("error listing iisBackupFiles",
                       [&] { return IisTool(platform_).metaBaseBackupFiles(computerName_); });
}

void Iis::makeBackup() {
  reportAndFail("error listing makeBackup", [&] { IisTool(platform_).metaBaseBackup(computerName_); });
}

} // namespace qv
