#include "lab/model/site_control.hpp"

#include "lab/model/lab_error.hpp"
#include "lab/model/text.hpp"

namespace qv::lab {
namespace {

int32_t stateOf(const DirNode &site) {
  const Value *value = site.props.find("ServerState");
  double number = 0;
  if (!value || !value->toNumber(number)) return 0;
  return static_cast<int32_t>(number);
}

void setState(DirNode &site, int32_t state) { site.props.set("ServerState", Value(state)); }

std::vector<std::string> bindingsOf(const DirNode &site) {
  std::vector<std::string> result;
  const Value *value = site.props.find("ServerBindings");
  if (!value) return result;
  if (auto text = value->as<std::string>()) result.push_back(*text);
  if (auto list = value->as<Value::Array>())
    for (const auto &item : *list)
      result.push_back(item.toText());
  return result;
}

} // namespace

void startSite(DirNode &site) {
  int32_t state = stateOf(site);
  if (state == kSiteStarted) return;
  if (state != kSitePaused && site.parent) {
    std::vector<std::string> mine = bindingsOf(site);
    for (const auto &other : site.parent->children) {
      if (other.get() == &site || other->className != "IIsWebServer") continue;
      int32_t otherState = stateOf(*other);
      if (otherState != kSiteStarted && otherState != kSitePaused) continue;
      for (const auto &theirs : bindingsOf(*other))
        for (const auto &binding : mine)
          if (equalsNoCase(binding, theirs)) throw LabError(code::kDuplicateName);
    }
  }
  setState(site, kSiteStarted);
}

void stopSite(DirNode &site) { setState(site, kSiteStopped); }

void pauseSite(DirNode &site) {
  if (stateOf(site) != kSiteStarted && stateOf(site) != kSitePaused) throw LabError(code::kServiceNotActive);
  setState(site, kSitePaused);
}

void continueSite(DirNode &site) {
  if (stateOf(site) != kSiteStarted && stateOf(site) != kSitePaused) throw LabError(code::kServiceNotActive);
  setState(site, kSiteStarted);
}

} // namespace qv::lab
