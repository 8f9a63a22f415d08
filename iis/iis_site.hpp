#pragma once
// One web site's settings as typed properties: a plain holder, each property
// a stored field with a getter and a setter, no checks and no side effects.
// getSiteById fills a new holder from the metabase.

#include <cstdint>
#include <memory>
#include <string>

#include "core/collection.hpp"
#include "core/platform.hpp"

namespace qv {

class IisSite : public Object {
public:
  explicit IisSite(Platform platform);

  // The binding list, or any object a script assigned: held as it is,
  // shared with whoever assigned it, never copied or checked.
  const ObjectPtr &hostBindings() const { return hostBindings_; }
  void setHostBindings(ObjectPtr value) { hostBindings_ = std::move(value); }

  const std::string &aspScriptLanguage() const { return aspScriptLanguage_; }
  void setAspScriptLanguage(const std::string &value) { aspScriptLanguage_ = value; }
  int32_t aspScriptTimeout() const { return aspScriptTimeout_; }
  void setAspScriptTimeout(int32_t value) { aspScriptTimeout_ = value; }
  bool aspBufferingOn() const { return aspBufferingOn_; }
  void setAspBufferingOn(bool value) { aspBufferingOn_ = value; }
  bool frontpageWeb() const { return frontpageWeb_; }
  void setFrontpageWeb(bool value) { frontpageWeb_ = value; }
  bool enableDirBrowsing() const { return enableDirBrowsing_; }
  void setEnableDirBrowsing(bool value) { enableDirBrowsing_ = value; }
  bool accessSource() const { return accessSource_; }
  void setAccessSource(bool value) { accessSource_ = value; }
  bool accessWrite() const { return accessWrite_; }
  void setAccessWrite(bool value) { accessWrite_ = value; }
  bool accessRead() const { return accessRead_; }
  void setAccessRead(bool value) { accessRead_ = value; }
  int32_t aspSessionTimeout() const { return aspSessionTimeout_; }
  void setAspSessionTimeout(int32_t value) { aspSessionTimeout_ = value; }
  bool authAnonymous() const { return authAnonymous_; }
  void setAuthAnonymous(bool value) { authAnonymous_ = value; }
  const std::string &anonymousUserName() const { return anonymousUserName_; }
  void setAnonymousUserName(const std::string &value) { anonymousUserName_ = value; }
  const std::string &path() const { return path_; }
  void setPath(const std::string &value) { path_ = value; }
  const std::string &Process() const { return process_; }
  void setProcess(const std::string &value) { process_ = value; }
  int32_t appIsolated() const { return appIsolated_; }
  void setAppIsolated(int32_t value) { appIsolated_ = value; }
  int32_t executeLevel() const { return executeLevel_; }
  void setExecuteLevel(int32_t value) { executeLevel_ = value; }
  const std::string &execute() const { return execute_; }
  void setExecute(const std::string &value) { execute_ = value; }
  bool AccessExecute() const { return accessExecute_; }
  void setAccessExecute(bool value) { accessExecute_ = value; }
  bool accessScript() const { return accessScript_; }
  void setAccessScript(bool value) { accessScript_ = value; }
  const std::string &stateString() const { return stateString_; }
  void setStateString(const std::string &value) { stateString_ = value; }
  int32_t state() const { return state_; }
  void setState(int32_t value) { state_ = value; }
  const std::string &sitename() const { return sitename_; }
  void setSitename(const std::string &value) { sitename_ = value; }
  double size() const { return size_; }
  void setSize(double value) { size_ = value; }
  int32_t id() const { return id_; }
  void setId(int32_t value) { id_ = value; }

  // A new holder filled from site fetchId of computerName (an empty one when
  // the object there is not a web server). This object is left as it was.
  // Reports "Error with Quorvane.IisSite.getSiteById".
  std::shared_ptr<IisSite> getSiteById(const std::string &computerName, int32_t fetchId) const;

private:
  Platform platform_;

  ObjectPtr hostBindings_;
  std::string aspScriptLanguage_;
  int32_t aspScriptTimeout_ = 0;
  bool aspBufferingOn_ = false;
  bool frontpageWeb_ = false;
  bool enableDirBrowsing_ = false;
  bool accessSource_ = false;
  bool accessWrite_ = false;
  bool accessRead_ = false;
  int32_t aspSessionTimeout_ = 0;
  bool authAnonymous_ = false;
  std::string anonymousUserName_;
  std::string path_;
  std::string process_;
  int32_t appIsolated_ = 0;
  int32_t executeLevel_ = 0;
  std::string execute_;
  bool accessExecute_ = false;
  bool accessScript_ = false;
  std::string stateString_;
  int32_t state_ = 0;
  std::string sitename_;
  double size_ = 0;
  int32_t id_ = 0;
};

} // namespace qv
