#pragma once
// Replaces a Null the management service gave for a missing value.

#include "core/variant.hpp"

namespace qv {

// defaultValue when value is Null, otherwise value unchanged (Empty is not
// Null). Reports failures with "Error checking for null values".
Variant nullToDefault(const Variant &value, const Variant &defaultValue);

} // namespace qv
