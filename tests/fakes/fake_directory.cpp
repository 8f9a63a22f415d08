#include "tests/fakes/fake_directory.hpp"

#include "core/convert.hpp"
#include "tests/support/kind_name.hpp"

namespace qv::fake {

namespace {
std::string describe(const Variant &value) {
  switch (value.kind()) {
  case VarKind::Text: return value.text();
  case VarKind::Int16: return std::to_string(value.int16());
  case VarKind::Int32: return std::to_string(value.int32());
  case VarKind::Bool: return value.boolean() ? "True" : "False";
  default: return kindName(value.kind());
  }
}
} // namespace

AutomationError adsError(int32_t number, std::string description) {
  return AutomationError(number, "Active Directory", std::move(description));
}

DirObject::DirObject(std::string className, std::string name)
    : className_(std::move(className)), name_(std::move(name)) {}

DirObject &DirObject::set(std::string property, Variant value) {
  for (auto &[key, existing] : properties_) {
    if (equalsIgnoreCase(key, property)) {
      existing = std::move(value);
      return *this;
    }
  }
  properties_.emplace_back(std::move(property), std::move(value));
  return *this;
}

DirObject &DirObject::method(std::string name, Method body) {
  methods_.emplace_back(std::move(name), std::move(body));
  return *this;
}

DirObject &DirObject::failRead(std::string property, AutomationError error) {
  failingReads_.emplace_back(std::move(property), std::move(error));
  return *this;
}

DirObjectPtr DirObject::addChild(DirObjectPtr child) {
  children_.push_back(child);
  return child;
}

DirObjectPtr DirObject::addChild(std::string className, std::string name) {
  return addChild(std::make_shared<DirObject>(std::move(className), std::move(name)));
}

void DirObject::record(const std::string &entry) {
  if (journal_) journal_->push_back(name_ + "." + entry);
}

Variant DirObject::get(std::string_view property) {
  for (const auto &[key, error] : failingReads_) {
    if (equalsIgnoreCase(key, property)) throw error;
  }
  if (equalsIgnoreCase(property, "Name")) return Variant(name_);
  if (equalsIgnoreCase(property, "Class")) return Variant(className_);
  for (const auto &[key, value] : properties_) {
    if (equalsIgnoreCase(key, property)) return value;
  }
  throw runtimeError(kNoSuchMember);
}

void DirObject::put(std::string_view property, const Variant &value) {
  record("put " + std::string(property) + "=" + describe(value));
  set(std::string(property), value);
}

void DirObject::setInfo() {
  ++setInfoCount;
  record("SetInfo");
}

DirectoryObjectPtr DirObject::child(std::string_view className, std::string_view name) {
  for (const auto &c : children_) {
    if (equalsIgnoreCase(c->className_, className) && equalsIgnoreCase(c->name_, name)) {
      c->useJournal(journal_);
      return c;
    }
  }
  throw adsError(kNoChild, "The system cannot find the path specified.\r\n");
}

std::vector<DirectoryObjectPtr> DirObject::children(const std::vector<std::string> &filter) {
  std::vector<DirectoryObjectPtr> out;
  for (const auto &c : children_) {
    bool wanted = filter.empty();
    for (const auto &cls : filter)
      wanted = wanted || equalsIgnoreCase(cls, c->className_);
    if (wanted) {
      c->useJournal(journal_);
      out.push_back(c);
    }
  }
  return out;
}

Variant DirObject::call(std::string_view method, std::vector<Variant> &args) {
  for (const auto &[name, body] : methods_) {
    if (equalsIgnoreCase(name, method)) {
      record(std::string(method));
      return body(*this, args);
    }
  }
  throw runtimeError(kNoSuchMember);
}

DirObjectPtr Directory::add(const std::string &path, DirObjectPtr obj) {
  objects_[path] = obj;
  return obj;
}

DirObjectPtr Directory::add(const std::string &path, std::string className, std::string name) {
  return add(path, std::make_shared<DirObject>(std::move(className), std::move(name)));
}

void Directory::failBind(const std::string &path, AutomationError error) {
  failures_.emplace(path, std::move(error));
}

DirectoryObjectPtr Directory::bind(std::string_view path) {
  binds.emplace_back(path);
  std::string key(path);
  if (auto failed = failures_.find(key); failed != failures_.end()) throw failed->second;
  auto found = objects_.find(key);
  if (found == objects_.end()) throw adsError(kAdsBadPath, "An invalid directory pathname was passed");
  found->second->useJournal(journal);
  return found->second;
}

} // namespace qv::fake
