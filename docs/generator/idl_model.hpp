#pragma once
// What the reference shows of the type library: the library, its
// interfaces with their members and parameters, and the classes that offer
// them, as written in the IDL file.

#include <optional>
#include <string>
#include <vector>

namespace qv::reference {

struct IdlParameter {
  std::string name;
  std::string type; // as declared: "VARIANT*", "BSTR"
  bool in = false, out = false, optional = false, retval = false;
  std::optional<std::string> defaultValue; // the text between the parentheses
  std::string help;
};

enum class MemberKind { Method, PropertyGet, PropertyPut, PropertyPutRef };

struct IdlMember {
  std::string name;
  MemberKind kind = MemberKind::Method;
  std::string id; // as written: "3", "0", "DISPID_VALUE", "-4"
  std::string resultType;
  std::vector<IdlParameter> parameters;
  std::string help;
  bool hidden = false; // restricted or hidden: not for scripts
};

struct IdlInterface {
  std::string name;
  std::string help;
  std::vector<IdlMember> members;
};

struct IdlClass {
  std::string name;
  std::string help;
  std::string interfaceName; // the default one
};

struct IdlLibrary {
  std::string name;
  std::string version;
  std::string help;
  std::vector<IdlInterface> interfaces;
  std::vector<IdlClass> classes;

  const IdlInterface *findInterface(const std::string &interfaceName) const;
};

} // namespace qv::reference
