#pragma once
// The settings of one web site as both site readers gather them: from the
// site object bound by its number and from its root virtual directory.

#include <cstdint>
#include <optional>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

struct SiteSettings {
  std::string key; // the site's Name: its number as text
  double size = 0;
  int32_t id = 0;
  std::string description; // ServerComment
  int32_t state = 0;       // ServerState
  // The binding list as read, or any object a script assigned: held as it
  // is, shared with whoever assigned it, never copied or checked.
  ObjectPtr bindings;
  bool accessScript = false;
  bool accessExecute = false;
  int32_t appIsolated = 0;
  std::string path;
  std::string anonymousUserName;
  bool authAnonymous = false;
  bool accessRead = false;
  bool accessWrite = false;
  bool accessSource = false;
  bool enableDirBrowsing = false;
  bool frontpageWeb = false;
  bool aspBufferingOn = false;
  int32_t aspScriptTimeout = 0;
  int32_t aspSessionTimeout = 0;
  std::string aspScriptLanguage;
};

// Binds site siteId of computer and reads its settings, the size measured
// for the site's own number. nullopt when the object there is not a web
// server. Failures pass unchanged to the caller's handler.
std::optional<SiteSettings> readSiteSettings(const Platform &platform, const std::string &computer,
                                             int32_t siteId);

} // namespace qv
