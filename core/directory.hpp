#pragma once
// What the class logic asks of the directory service (the WinNT: and IIS:
// providers). Objects are used late-bound, by member name; member names
// match without regard to case. Every failure is an AutomationError with the
// platform's number and description.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/variant.hpp"

namespace qv {

class DirectoryObject;
using DirectoryObjectPtr = std::shared_ptr<DirectoryObject>;

class DirectoryObject : public Object {
public:
  // A property by member name (Name, Class, ServerComment, ...) or the
  // generic Get(name): both give the same value. Missing: 438.
  virtual Variant get(std::string_view property) = 0;
  // Writes a property; SetInfo commits what was written.
  virtual void put(std::string_view property, const Variant &value) = 0;
  virtual void setInfo() = 0;
  // The container's GetObject(class, relative name).
  virtual DirectoryObjectPtr child(std::string_view className, std::string_view name) = 0;
  // Enumerates the children in the provider's order, limited to the classes
  // named in filter (the container's Filter) when it is not empty.
  virtual std::vector<DirectoryObjectPtr> children(const std::vector<std::string> &filter) = 0;
  // Calls a method by name. args are in/out: by-reference outputs are
  // written back into them.
  virtual Variant call(std::string_view method, std::vector<Variant> &args) = 0;
};

class Directory {
public:
  virtual ~Directory() = default;
  // Binds an object by path ("WinNT://wg/computer", "IIS://computer/W3svc").
  virtual DirectoryObjectPtr bind(std::string_view path) = 0;
};

} // namespace qv
