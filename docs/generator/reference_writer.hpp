#pragma once
// docs/reference.md from the type library's IDL and the hand-kept data of
// what the IDL cannot say: the records' fields and the error messages.

#include <stdexcept>
#include <string>
#include <vector>

#include "docs/generator/idl_model.hpp"

namespace qv::reference {

struct ReferenceError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// One class of the reference: a coclass, or an interface no coclass offers
// (the collection every result is), named without its leading underscore.
struct ReferenceClass {
  std::string name;
  std::string progId; // empty when scripts cannot create it
  const IdlInterface *interface = nullptr;
  std::string help;
};

std::vector<ReferenceClass> referenceClasses(const IdlLibrary &library);

// The parameters a script gives a member: a method's, a property's index
// (an assignment's value left out).
std::vector<IdlParameter> indexParameters(const IdlMember &member);

// The heading of a member: "Class.member" for properties,
// "Class.member(a, [b])" for methods and indexed properties (optional
// parameters in brackets).
std::string memberHeading(const ReferenceClass &owner, const IdlMember &member);

// The whole document. dataJson is the text of the data file; a member it
// names that the IDL lacks fails with ReferenceError.
std::string writeReference(const IdlLibrary &library, const std::string &dataJson);

// What the document lacks of the IDL: one line per class, member or
// parameter missing from reference.
std::vector<std::string> missingFromReference(const IdlLibrary &library, const std::string &reference);

} // namespace qv::reference
