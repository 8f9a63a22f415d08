#include "iis/site_settings.hpp"

#include "iis/directory_values.hpp"
#include "iis/iis_common.hpp"
#include "iis/iis_paths.hpp"
#include "iis/iis_tool.hpp"

namespace qv {

std::optional<SiteSettings> readSiteSettings(const Platform &platform, const std::string &computer,
                                             int32_t siteId) {
  const Regional &regional = *platform.regional;
  DirectoryObjectPtr site = platform.directory->bind(webSitePath(computer, siteId));
  if (!hasClass(*site, kWebServerClass, regional)) return std::nullopt;
  DirectoryObjectPtr root = site->child(kVirtualDirClass, "Root");

  SiteSettings s;
  s.key = readText(*site, "Name", regional);
  // Looked up by its own number: a description may be empty, repeated or
  // equal to another site's number, host or address.
  IisTool tool(platform);
  tool.setComputerName(computer);
  s.size = tool.getSiteSize(s.key);

  s.id = readInt32(*site, "Name", regional);
  s.description = readText(*site, "ServerComment", regional);
  s.state = readInt32(*site, "ServerState", regional);
  s.bindings = getServerBindings(site->get("ServerBindings"), site->get("SecureBindings"), regional);

  DirectoryObject &r = *root;
  s.accessScript = readBool(r, "accessScript", regional);
  s.accessExecute = readBool(r, "AccessExecute", regional);
  s.appIsolated = readInt32(r, "appIsolated", regional);
  s.path = readText(r, "path", regional);
  s.anonymousUserName = readText(r, "anonymousUserName", regional);
  s.authAnonymous = readBool(r, "authAnonymous", regional);
  s.accessRead = readBool(r, "accessRead", regional);
  s.accessWrite = readBool(r, "accessWrite", regional);
  s.accessSource = readBool(r, "accessSource", regional);
  s.enableDirBrowsing = readBool(r, "enableDirBrowsing", regional);
  s.frontpageWeb = readBool(r, "frontpageWeb", regional);
  s.aspBufferingOn = readBool(r, "aspBufferingOn", regional);
  s.aspScriptTimeout = readInt32(r, "aspScriptTimeout", regional);
  s.aspSessionTimeout = readInt32(r, "aspSessionTimeout", regional);
  s.aspScriptLanguage = readText(r, "aspScriptLanguage", regional);
  return s;
}

} // namespace qv
