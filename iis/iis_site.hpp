#pragma once
// One web site's settings as typed properties: a plain holder whose fields
// scripts read and write, no checks and no side effects. getSiteById fills a
// new holder from the metabase.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/collection.hpp"
#include "core/json_text.hpp"
#include "core/platform.hpp"
#include "iis/site_settings.hpp"

namespace qv {

class IisSite : public Object, public JsonFields {
public:
  explicit IisSite(Platform platform);

  // The settings as read.
  SiteSettings settings;
  // Texts derived from the settings when they were read, kept as read (a
  // script that changes a setting does not change them).
  std::string stateText;    // of settings.state
  std::string processText;  // of settings.appIsolated
  int32_t executeLevel = 0; // of settings.accessScript and accessExecute
  std::string executeText;

  // A new holder filled from site fetchId of computerName (an empty one when
  // the object there is not a web server). This object is left as it was.
  // Reports "Error with Quorvane.IisSite.getSiteById".
  std::shared_ptr<IisSite> getSiteById(const std::string &computerName, int32_t fetchId) const;

  // The 24 properties under their automation names, in the interface's order.
  std::vector<std::pair<std::string, Variant>> jsonFields() const override;

private:
  Platform platform_;
};

} // namespace qv
