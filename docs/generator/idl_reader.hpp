#pragma once
// Reads the automation part of an IDL file: the library's attributes, each
// dispinterface (or dual interface) with its members, and each coclass.
// Attributes are read in any order and form: id(5), id(DISPID_VALUE),
// propget, propput, propputref, helpstring("..."), restricted, hidden; on
// parameters in, out, optional, retval, defaultvalue(...), helpstring(...).
// A dual interface's HRESULT methods show their [retval] parameter as the
// result. Comments, imports and other declarations are skipped.

#include <stdexcept>
#include <string>
#include <string_view>

#include "docs/generator/idl_model.hpp"

namespace qv::reference {

struct IdlError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

IdlLibrary readIdl(std::string_view text);

} // namespace qv::reference
