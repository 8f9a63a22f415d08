#pragma once

#include "tests/wine/checks.hpp"

namespace qv::comcheck {

// The type library against the dispatch tables of every class.
void checkTypeLibrary(Checks &checks);
// Argument forms, by-reference write-back, optional arguments and errors.
void checkArguments(Checks &checks);
// Values and objects crossing in both directions.
void checkMarshalling(Checks &checks);
// The COM collection: default member, positions, keys, enumeration.
void checkCollections(Checks &checks);

} // namespace qv::comcheck
