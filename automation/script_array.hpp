#pragma once
// The entries of a script engine's array object (a JScript array reaches a
// component as an object, not as a SAFEARRAY).

#include <windows.h>

#include <oaidl.h>

#include <vector>

#include "core/variant.hpp"

namespace qv::com {

// The entries the array defines, in index order: a sparse array gives its
// defined entries only, however large its length. An object that cannot
// list its members is read by its length and the indexes below it.
std::vector<Variant> scriptArrayItems(IDispatch *array);

} // namespace qv::com
