#pragma once
// What a fleet hands its workers: values with nothing in them that belongs
// to the caller's thread.

#include "core/variant.hpp"

namespace qv::fleet {

// A copy of value that shares nothing with it, arrays copied at every
// depth. An object anywhere in it (a collection of the component, a
// script's object) fails with 13 naming Run: it lives in the caller's
// apartment and cannot be called from a worker. Nothing is no object and
// passes.
Variant plainArgument(const Variant &value);

} // namespace qv::fleet
