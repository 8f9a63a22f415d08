#pragma once
// In-memory directory service for tests: objects bound by exact path, with
// class, name, properties, children and methods. Member names match without
// regard to case; a member the object lacks fails with 438; an unknown path
// or child fails like the provider. Every put, SetInfo and method call is
// written to a journal the test can read.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/automation_error.hpp"
#include "core/directory.hpp"
#include "tests/fakes/named_entries.hpp"

namespace qv::fake {

inline constexpr int32_t kAdsBadPath = static_cast<int32_t>(0x80005000);
inline constexpr int32_t kAdsNoObject = static_cast<int32_t>(0x80070035); // network path not found
inline constexpr int32_t kNoChild = static_cast<int32_t>(0x80070003);     // path not found
inline AutomationError adsError(int32_t number, std::string description) {
  return AutomationError(number, "Active Directory", std::move(description));
}

class DirObject;
using DirObjectPtr = std::shared_ptr<DirObject>;
using Journal = std::shared_ptr<std::vector<std::string>>;

class DirObject : public DirectoryObject {
public:
  using Method = std::function<Variant(DirObject &self, std::vector<Variant> &args)>;

  DirObject(std::string className, std::string name)
      : className_(std::move(className)), name_(std::move(name)) {}

  // Set-up, for tests. Name and Class are readable properties too.
  DirObject &set(std::string property, Variant value) {
    properties_.insert_or_assign(std::move(property), std::move(value));
    return *this;
  }
  DirObject &method(std::string name, Method body) {
    methods_.insert_or_assign(std::move(name), std::move(body));
    return *this;
  }
  DirObjectPtr addChild(DirObjectPtr child) { return children_.emplace_back(std::move(child)); }
  DirObjectPtr addChild(std::string className, std::string name) {
    return addChild(std::make_shared<DirObject>(std::move(className), std::move(name)));
  }
  void useJournal(Journal journal) { journal_ = std::move(journal); }
  // Every Get/member read of this property fails with error.
  DirObject &failRead(std::string property, AutomationError error) {
    failingReads_.insert_or_assign(std::move(property), std::move(error));
    return *this;
  }

  Variant get(std::string_view property) override;
  void put(std::string_view property, const Variant &value) override;
  void setInfo() override { record("SetInfo"); }
  DirectoryObjectPtr child(std::string_view className, std::string_view name) override;
  std::vector<DirectoryObjectPtr> children(const std::vector<std::string> &filter) override;
  Variant call(std::string_view method, std::vector<Variant> &args) override;

private:
  void record(const std::string &entry) {
    if (journal_) journal_->push_back(name_ + "." + entry);
  }

  std::string className_;
  std::string name_;
  NamedEntries<Variant> properties_;
  NamedEntries<AutomationError> failingReads_;
  NamedEntries<Method> methods_;
  std::vector<DirObjectPtr> children_;
  Journal journal_;
};

class Directory : public qv::Directory {
public:
  // Makes obj (and its children, at bind time) answer path.
  DirObjectPtr add(const std::string &path, DirObjectPtr obj) { return objects_[path] = std::move(obj); }
  DirObjectPtr add(const std::string &path, std::string className, std::string name) {
    return add(path, std::make_shared<DirObject>(std::move(className), std::move(name)));
  }
  // Binding path fails with error.
  void failBind(const std::string &path, AutomationError error) { failures_.emplace(path, std::move(error)); }

  DirectoryObjectPtr bind(std::string_view path) override;

  std::vector<std::string> binds; // paths, in order
  // "<name>.put <prop>=<value>", "<name>.SetInfo", "<name>.<method>"
  Journal journal = std::make_shared<std::vector<std::string>>();

private:
  std::map<std::string, DirObjectPtr> objects_;
  std::map<std::string, AutomationError> failures_;
};

} // namespace qv::fake
