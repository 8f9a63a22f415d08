#include "tests/fakes/fake_directory.hpp"

#include <algorithm>

#include "core/convert.hpp"
#include "tests/support/kind_name.hpp"

namespace qv::fake {

Variant DirObject::get(std::string_view property) {
  if (AutomationError *error = entryNamed(failingReads_, property)) throw *error;
  if (equalsIgnoreCase(property, "Name")) return Variant(name_);
  if (equalsIgnoreCase(property, "Class")) return Variant(className_);
  if (Variant *value = entryNamed(properties_, property)) return *value;
  throw runtimeError(kNoSuchMember);
}

void DirObject::put(std::string_view property, const Variant &value) {
  // The component puts Long values only; any other kind shows by its name.
  const std::string text =
      value.kind() == VarKind::Int32 ? std::to_string(value.int32()) : kindName(value.kind());
  record("put " + std::string(property) + "=" + text);
  set(std::string(property), value);
}

DirectoryObjectPtr DirObject::child(std::string_view className, std::string_view name) {
  for (const auto &c : children(std::vector<std::string>{std::string(className)})) {
    if (equalsIgnoreCase(static_cast<DirObject &>(*c).name_, name)) return c;
  }
  throw adsError(kNoChild, "The system cannot find the path specified.\r\n");
}

std::vector<DirectoryObjectPtr> DirObject::children(const std::vector<std::string> &filter) {
  std::vector<DirectoryObjectPtr> out;
  for (const auto &c : children_) {
    auto ofClass = [&](const std::string &className) { return equalsIgnoreCase(className, c->className_); };
    if (!filter.empty() && std::none_of(filter.begin(), filter.end(), ofClass)) continue;
    c->useJournal(journal_);
    out.push_back(c);
  }
  return out;
}

Variant DirObject::call(std::string_view method, std::vector<Variant> &args) {
  Method *body = entryNamed(methods_, method);
  if (!body) throw runtimeError(kNoSuchMember);
  record(std::string(method));
  return (*body)(*this, args);
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
