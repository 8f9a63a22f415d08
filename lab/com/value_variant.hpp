#pragma once
// Values of the simulated providers as VARIANTs and back.

#include <windows.h>

#include <oaidl.h>

#include "lab/model/value.hpp"

namespace qv::lab {

// out must hold nothing that needs clearing.
void toVariant(const Value &value, VARIANT *out);
// A by-reference VARIANT is read through. Objects and other kinds fail
// with a type mismatch.
Value fromVariant(const VARIANT &value);
// The value converted to the kind of like (a 32-bit number, a Boolean, a
// text, a list); Null and unconvertible values as they are when like is
// Null. Fails with 0x8000500C when the conversion is impossible.
Value coerceLike(const VARIANT &value, const Value &like);

} // namespace qv::lab
